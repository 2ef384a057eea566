#include "eventgap.h"
#include "fixtures.h"
#include "measure.h"
#include "qvxcli.h"
#include "ripgrep.h"
#include "table.h"

#include <QCoreApplication>
#include <QFile>
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
    EXPECT_EQ(countLines("/a.txt\n/b:c.txt\n"), 2);
    EXPECT_EQ(countLines("/a.txt"), 1);
    EXPECT_EQ(countLines(""), 0);
}

TEST(Table, RatiosAndRatesOnlyWhereTheirInputsExist)
{
    TableRow row("large", "regex Haus", 2.0, 1000, 400'000'000);
    row.cache = "cold";
    row.rgOneThreadSeconds = 4.0;
    row.rgSeconds = 2.5;
    row.floorSeconds = 0.5;
    row.cliSeconds = 1.5;
    row.notes = "notiz";
    const QStringList cells = formatTableRow(row).simplified().split(' ');
    EXPECT_EQ(cells, (QStringList{"large", "regex", "Haus", "cold", "2.000", "4.000", "2.500",
                                  "0.50", "0.80", "0.500", "1.500", "500", "items/s,", "200.0",
                                  "MB/s;", "notiz"}));

    const QStringList single =
        formatTableRow(TableRow("view", "preview", 0.5, 1, 2'000'000)).simplified().split(' ');
    EXPECT_EQ(single.mid(9), (QStringList{"4.0", "MB/s"}));

    const QStringList untimed = formatTableRow(TableRow("all", "peak")).simplified().split(' ');
    EXPECT_EQ(untimed, (QStringList{"all", "peak", "-", "-", "-", "-", "-", "-", "-"}));
}

TEST(QvxCli, AddsUpTheSecondFieldAndTellsNoRowsFromFailure)
{
    EXPECT_EQ(sumOfTsvF("/a/b c.txt\t3\t1.5\t0\t2.0\n/d:e.txt\t40\t2\t1\t9\n"), 43);
    EXPECT_EQ(sumOfTsvF(""), 0);
    EXPECT_EQ(sumOfTsvF("/x.txt\t7\t0.1\t0\t0.1"), 7);

    TempCorpus dir;
    const auto script = [&](const QString &name, const QByteArray &body) {
        const QString path = dir.write(name, "#!/bin/sh\n" + body);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    };
    const QvxCliRun found =
        runQvxCli(script("found", "[ \"$1 $2 $3\" = \"--format tsv Haus\" ] || exit 2\n"
                                  "printf '/a.txt\\t2\\t1\\t0\\t1\\n/b.txt\\t5\\t1\\t0\\t1\\n'\n"),
                  {"Haus", dir.path()});
    EXPECT_EQ(found.error, QString());
    EXPECT_EQ(found.matches, 7);
    const QvxCliRun none = runQvxCli(script("none", "exit 1\n"), {"Haus"});
    EXPECT_EQ(none.error, QString());
    EXPECT_EQ(none.matches, 0);
    const QvxCliRun failed = runQvxCli(script("failed", "echo 'Fehler' >&2; exit 2\n"), {"("});
    EXPECT_EQ(failed.error, "Fehler");
}
