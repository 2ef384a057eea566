#include "files/sourcelisting.h"
#include "fixtures.h"
#include "search/earlyreads.h"

#include <QHash>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <thread>
#include <vector>

TEST(EarlyReads, TextsReadWhileListedStandAtTheirPlacesInTheRun)
{
    TempCorpus corpus;
    std::mt19937 random(11);
    QHash<QString, qint64> matches;
    // Whole batches: the names of a last one not full are left to the run.
    constexpr int kTexts = 20 * int(EarlyReads::kBatch);
    for (int i = 0; i < kTexts; ++i) {
        const int f = int(random() % 4);
        const QString path = corpus.write(QStringLiteral("Text-%1-%2.txt").arg(random()).arg(i),
                                          "Anfang " + QByteArray("Haus ").repeated(f));
        matches.insert(path, f);
    }
    corpus.write(QStringLiteral("anderes.dat"), "Haus");
    std::vector<std::string> listed;
    const SourceListing listing =
        listSourcePaths(corpus.path(), [&listed](const char *name, std::size_t length) {
            listed.emplace_back(name, length);
        });
    ASSERT_EQ(listing.paths.size(), kTexts);

    ScanRecipe recipe;
    recipe.suchstr = QStringLiteral("Haus");
    // Threads started at once, or after the names of six batches, which are left to the run.
    for (const qsizetype startAfter : {qsizetype(0), qsizetype(6 * EarlyReads::kBatch)}) {
        EarlyReads early(recipe, corpus.path(), 2, startAfter);
        for (const std::string &name : listed)
            early.listed(name.data(), name.size());
        while (early.textsRead() < kTexts - startAfter)
            std::this_thread::yield();
        KnownOutcomes known;
        constexpr int kFirst = 5;
        early.finish(listing.listedAt, kFirst, known);

        PreparedText text;
        EXPECT_FALSE(known.take(kFirst - 1, text));
        for (qsizetype k = 0; k < listing.paths.size(); ++k) {
            const bool read = listing.listedAt[size_t(k)] >= startAfter;
            ASSERT_EQ(known.take(kFirst + int(k), text), read) << k;
            if (!read)
                continue;
            EXPECT_EQ(text.path, listing.paths[k]);
            EXPECT_TRUE(text.read && text.snapshot && !text.failed);
            EXPECT_EQ(text.result ? text.result->f : 0, matches.value(text.path)) << k;
        }
        EXPECT_FALSE(known.take(kFirst + kTexts, text));
    }
}
