#include "window/search/sourceentries.h"
#include "window/sources/itempaths.h"

#include <QListWidget>
#include <gtest/gtest.h>

// A command that runs while a long list is read may change it; the run then starts with the list
// as it stands after the change, not with a mix of the two.
TEST(SourceEntriesTest, AChangeWhileEventsRunStartsTheReadingAgain)
{
    QListWidget box;
    QStringList paths;
    for (int i = 0; i < 10000; ++i)
        paths << QStringLiteral("/k/t%1.txt").arg(i);
    appendSourcePaths(&box, paths);
    SourceEntries entries(&box, nullptr);

    int rounds = 0;
    entries.readChanged(std::chrono::milliseconds(0), [&] {
        if (++rounds == 2) {
            delete box.takeItem(0);
            appendSourcePaths(&box, {QStringLiteral("/k/neu.txt")}, SourceEncoding::Utf8);
        }
    });

    EXPECT_GT(rounds, 2) << "events run again in the second reading";
    const QStringList expected = paths.mid(1) << QStringLiteral("/k/neu.txt");
    EXPECT_EQ(entries.atStart(), expected);
    ASSERT_EQ(entries.encodingsAtStart().size(), expected.size());
    EXPECT_EQ(entries.encodingsAtStart().front(), SourceEncoding::Windows1252);
    EXPECT_EQ(entries.encodingsAtStart().back(), SourceEncoding::Utf8);

    // Unchanged since, the next run reads nothing and lets no events run.
    rounds = 0;
    entries.readChanged(std::chrono::milliseconds(0), [&] { ++rounds; });
    EXPECT_EQ(rounds, 0);
    EXPECT_EQ(entries.count(), expected.size());
}
