#include "eventgap.h"
#include "measure.h"
#include "ripgrep.h"
#include "table.h"

#include <QCoreApplication>
#include <QThread>
#include <gtest/gtest.h>

TEST(Median, OfOddAndEvenCountsAndOfNothing)
{
    EXPECT_DOUBLE_EQ(median({3.0, 1.0, 2.0}), 2.0);
    EXPECT_DOUBLE_EQ(median({4.0, 1.0, 3.0, 2.0}), 2.5);
    EXPECT_DOUBLE_EQ(median({}), 0.0);
    int prepared = 0;
    int ran = 0;
    medianSeconds(
        3, [&] { EXPECT_EQ(++ran, prepared); }, [&] { ++prepared; });
    EXPECT_EQ(ran, 3);
}

TEST(EventGapProbe, MeasuresTheLongestStretchWithoutEventProcessing)
{
    EventGapProbe probe;
    probe.start();
    QCoreApplication::processEvents();
    QThread::msleep(60);
    QCoreApplication::processEvents();
    QThread::msleep(10);
    const double longest = probe.stop();
    EXPECT_GE(longest, 60.0);
    EXPECT_LT(longest, 1000.0);
    // A new start forgets the gaps of the last one.
    probe.start();
    EXPECT_LT(probe.stop(), 60.0);
}

TEST(Ripgrep, CountsAddUpAlsoForPathsWithColons)
{
    EXPECT_EQ(sumOfCounts("/a/b.txt:3\n/c:d/e.txt:40\n"), 43);
    EXPECT_EQ(sumOfCounts(""), 0);
    EXPECT_EQ(sumOfCounts("/x.txt:7"), 7);
}

TEST(Table, RatiosAndRatesOnlyWhereTheirInputsExist)
{
    TableRow row("big", "regex Haus", 2.0, 1000, 400'000'000);
    row.floorSeconds = 0.5;
    row.rgSeconds = 4.0;
    row.notes = "notiz";
    const QStringList cells = formatTableRow(row).simplified().split(' ');
    EXPECT_EQ(cells, (QStringList{"big", "regex", "Haus", "2.000", "500", "200.0", "4.00", "0.50",
                                  "notiz"}));

    const QStringList untimed = formatTableRow(TableRow("all", "peak")).simplified().split(' ');
    EXPECT_EQ(untimed, (QStringList{"all", "peak", "-", "-", "-", "-", "-"}));
}
