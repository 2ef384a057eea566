#include "errors/qvxerror.h"
#include "fixtures.h"
#include "search/eventpoints.h"
#include "search/readahead.h"
#include "search/regexscan.h"
#include "search/simplescan.h"
#include "search/textscan.h"

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <chrono>
#include <gtest/gtest.h>
#include <memory>

namespace {

ScanRecipe regexRecipe(const QString &pattern, const QString &weighting)
{
    ScanRecipe recipe;
    recipe.suchstr = pattern;
    recipe.weighting = weighting;
    return recipe;
}

} // namespace

TEST(ReadAhead, ServesWhatTheRunWouldFindAndLeavesUnreadFilesToIt)
{
    TempCorpus corpus;
    const QStringList paths = {
        corpus.write("a.txt", "Haus und Haus\r\nZeit"),
        corpus.write("b.txt", "nichts"),
        corpus.filePath("fehlt.txt"),
        corpus.write("c.txt", "Haus, Zeit, Zeit, Morgen"),
        corpus.write("gross.txt", QByteArray(ReadAhead::kLargestText + 1, 'x')),
    };
    letFileTimesSettle();
    ScanRecipe recipe = regexRecipe("Haus", "Zeit");
    recipe.ausschlstr = "Morgen";
    ReadAhead ahead(recipe, paths, 2);
    RegexScan scan("Haus", "Morgen");
    const auto weighting = [] { return QStringLiteral("Zeit"); };

    const PreparedText *a = ahead.take(0);
    ASSERT_NE(a, nullptr);
    ASSERT_TRUE(a->result.has_value());
    EXPECT_EQ(a->result->f, 2);
    EXPECT_EQ(a->result->fB, 1);
    EXPECT_DOUBLE_EQ(a->result->proz, scan.evaluate(paths[0], weighting)->proz);
    const PreparedText *b = ahead.take(1);
    ASSERT_NE(b, nullptr);
    EXPECT_FALSE(b->result.has_value());
    EXPECT_FALSE(b->weightingRead);
    EXPECT_EQ(ahead.take(2), nullptr);
    const PreparedText *c = ahead.take(3);
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(c->weightingRead) << "the weighting is counted before the exclusion test";
    EXPECT_FALSE(c->result.has_value());
    const PreparedText *large = ahead.take(4);
    ASSERT_NE(large, nullptr) << "a large text is read ahead as well";
    EXPECT_FALSE(large->result.has_value());
    EXPECT_FALSE(large->failed);
}

TEST(ReadAhead, AnOutcomeNoLongerStandsForAFileChangedOrReplacedSinceItWasRead)
{
    TempCorpus corpus;
    const QStringList paths = {corpus.write("a.txt", "Haus"), corpus.write("b.txt", "Haus"),
                               corpus.write("c.txt", "Haus")};
    letFileTimesSettle();
    ReadAhead ahead(regexRecipe("Haus", ""), paths, 1);
    const PreparedText *a = ahead.take(0);
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(a->holdsFor(paths[0]));
    EXPECT_FALSE(a->holdsFor(paths[1])) << "another path";
    corpus.write("a.txt", "Maus");
    EXPECT_FALSE(a->holdsFor(paths[0])) << "rewritten with as many bytes";

    const PreparedText *b = ahead.take(1);
    ASSERT_NE(b, nullptr);
    ASSERT_TRUE(QFile::remove(paths[1]));
    corpus.write("ersatz.txt", "Haus");
    ASSERT_TRUE(QFile::rename(corpus.filePath("ersatz.txt"), paths[1]));
    EXPECT_FALSE(b->holdsFor(paths[1])) << "replaced by another file";

    const PreparedText *c = ahead.take(2);
    ASSERT_NE(c, nullptr);
    ASSERT_TRUE(QFile::remove(paths[2]));
    EXPECT_FALSE(c->holdsFor(paths[2])) << "deleted";
}

TEST(ReadAhead, AReadingStandsAtItsTurnUnlookedOnlyWhileNothingMayHaveChangedFiles)
{
    TempCorpus corpus;
    const QStringList paths = {corpus.write("a.txt", "Haus"), corpus.write("b.txt", "Haus")};
    letFileTimesSettle();
    const auto points = std::make_shared<EventPoints>();
    ReadAhead ahead(regexRecipe("Haus", ""), paths, 1, ReadAhead::Priority::Normal,
                    ReadAhead::Validity::UntilChanged, points);
    const PreparedText *a = ahead.take(0);
    ASSERT_NE(a, nullptr);
    corpus.write("a.txt", "Maus");
    EXPECT_TRUE(a->holdsFor(paths[0])) << "changed by no one the run is ordered with";

    ASSERT_TRUE(ahead.waitFor(1, std::chrono::seconds(60)));
    points->mayChangeFiles();
    corpus.write("b.txt", "Maus");
    const PreparedText *b = ahead.take(1);
    ASSERT_NE(b, nullptr);
    EXPECT_FALSE(b->holdsFor(paths[1])) << "changed by work on the run's thread";
}

TEST(ReadAhead, ASnapshotStandsForTheTextAsReadAndCarriesWhyAFileCouldNotBeRead)
{
    for (const bool regex : {true, false}) {
        TempCorpus corpus;
        // Written just now, which the other validity would leave to the run.
        const QStringList paths = {corpus.write("a.txt", "Haus"), corpus.filePath("fehlt.txt")};
        ScanRecipe recipe = regexRecipe("Haus", "");
        recipe.regex = regex;
        ReadAhead ahead(recipe, paths, 1, ReadAhead::Priority::Normal,
                        ReadAhead::Validity::Snapshot);
        TextScan scan(recipe);
        const TurnValues values;

        const PreparedText *a = ahead.take(0);
        ASSERT_NE(a, nullptr) << regex;
        corpus.write("a.txt", "Maus");
        EXPECT_FALSE(scan.aheadStands(paths[1], values, a)) << "another path";
        ASSERT_TRUE(scan.aheadStands(paths[0], values, a)) << regex;
        EXPECT_TRUE(scan.takeAhead(*a, values).has_value()) << "counted as it was read";

        const PreparedText *missing = ahead.take(1);
        ASSERT_NE(missing, nullptr) << regex;
        ASSERT_TRUE(scan.aheadStands(paths[1], values, missing));
        try {
            scan.takeAhead(*missing, values);
            ADD_FAILURE() << "a file that could not be read counted for nothing";
        } catch (const QvxError &error) {
            EXPECT_TRUE(error.message().contains("fehlt.txt kann nicht ge"))
                << error.message().toStdString();
        }
    }
}

TEST(ReadAhead, SimpleModeOutcomeOnlyServesTheSameCaseRule)
{
    TempCorpus corpus;
    const QStringList paths = {corpus.write("a.txt", "HEUTE"), corpus.write("b.txt", "Heute"),
                               corpus.write("c.txt", "heute")};
    letFileTimesSettle();
    ScanRecipe recipe;
    recipe.regex = false;
    recipe.suchstr = "Heute";
    recipe.ignoreCase = true;
    ReadAhead ahead(recipe, paths, 2);
    SimpleScan scan("Heute", "");
    EXPECT_TRUE(scan.qualifies(paths[0], true, ahead.take(0)));
    // The box is cleared now: the prepared outcome assumed it ticked and must not be used.
    EXPECT_FALSE(scan.qualifies(paths[1], false, ahead.take(1)));
    EXPECT_TRUE(scan.qualifies(paths[2], false, ahead.take(2)))
        << "the strings stay lower-cased once the case was ignored";
}

TEST(ReadAhead, EndsWhenTheRunStopsTakingOutcomes)
{
    TempCorpus corpus;
    QStringList paths;
    for (int i = 0; i < ReadAhead::kFilesAhead + 100; ++i)
        paths << corpus.write(QStringLiteral("t%1.txt").arg(i), "Haus");
    letFileTimesSettle();
    // Destroyed with its threads waiting for room: the test ends only if they are woken.
    ReadAhead ahead(regexRecipe("Haus", ""), paths, 3);
    const PreparedText *first = ahead.take(0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->result->f, 1);
}

TEST(ReadAhead, APeekShowsOnlyTheTextsToComeEachWithItsOwnOutcome)
{
    TempCorpus corpus;
    QStringList paths;
    const int count = ReadAhead::kFilesAhead + 40;
    for (int i = 0; i < count; ++i)
        paths << corpus.write(QStringLiteral("t%1.txt").arg(i), QByteArray("Haus ").repeated(i));
    ReadAhead ahead(regexRecipe("Haus", ""), paths, 2, ReadAhead::Priority::Normal,
                    ReadAhead::Validity::Snapshot);
    for (int i = 0; i < count; ++i) {
        ASSERT_NE(ahead.take(i), nullptr);
        // The slot of a text taken is filled again with one a whole ring of slots later.
        EXPECT_EQ(ahead.peek(i), nullptr);
        EXPECT_EQ(ahead.peek(i + ReadAhead::kFilesAhead), nullptr);
        if (i + 1 == count)
            break;
        // A wait may end before the text is there, as a run's wait in slices does.
        while (!ahead.waitFor(i + 1, std::chrono::milliseconds(20))) {
        }
        const PreparedText *next = ahead.peek(i + 1);
        ASSERT_NE(next, nullptr);
        EXPECT_EQ(next->path, QStringView(paths[i + 1]));
        EXPECT_EQ(next->result ? next->result->f : 0, i + 1);
    }
}

TEST(ReadAhead, ReadsTextsInTheRecipesEncoding)
{
    TempCorpus corpus;
    const QStringList paths = {corpus.write("a.txt", "\xEF\xBB\xBFM\xC3\x84RZ"),
                               corpus.write("b.txt", "M\xC4RZ")};
    letFileTimesSettle();
    ScanRecipe recipe;
    recipe.regex = false;
    recipe.suchstr = QStringLiteral("märz");
    recipe.ignoreCase = true;
    recipe.encoding = SourceEncoding::Utf8;
    ReadAhead ahead(recipe, paths, 2);
    const PreparedText *utf8 = ahead.take(0);
    ASSERT_NE(utf8, nullptr);
    EXPECT_TRUE(utf8->qualifies);
    const PreparedText *latin1 = ahead.take(1);
    ASSERT_NE(latin1, nullptr);
    EXPECT_FALSE(latin1->qualifies) << "the byte C4 alone is no UTF-8";

    recipe.regex = true;
    recipe.suchstr = QStringLiteral("(?i)märz|.");
    ReadAhead counted(recipe, paths, 1);
    const PreparedText *text = counted.take(0);
    ASSERT_NE(text, nullptr);
    ASSERT_TRUE(text->result.has_value());
    EXPECT_EQ(text->result->f, 1) << "the byte-order mark is dropped";
}
