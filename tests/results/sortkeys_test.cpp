#include "errors/qvxerror.h"
#include "results/cellcomparison.h"
#include "results/mergesort.h"
#include "results/sortkeys.h"
#include "results/textcompare.h"
#include "search/integerconversion.h"
#include "search/numberformat.h"

#include <QList>
#include <QRandomGenerator>
#include <QStringList>
#include <gtest/gtest.h>
#include <numeric>

namespace {

const QChar comma(',');

int sign(qint32 value)
{
    return (value > 0) - (value < 0);
}

// The comparison of two cells read one pair at a time, as the rule states it: the path by
// CompareText, f and fB as integers, % and G as decimal numbers.
qint32 compareCells(int column, const QString &p, const QString &q, QChar decimalSeparator)
{
    switch (column) {
    case 0:
        return CompareText(p, q);
    case 1:
    case 3:
        return compareIntegers(StrToInt(p), StrToInt(q));
    default:
        return compareNumbers(StrToFloat(p, decimalSeparator), StrToFloat(q, decimalSeparator));
    }
}

// Cells of each column with ties, the "-1" of a simple search, values whose 32-bit difference
// wraps, decimals closer together than 1, and paths that differ only in the case of an ASCII
// letter, of an umlaut, or in characters between the upper and lower case letters.
QStringList cellsOf(int column)
{
    switch (column) {
    case 0:
        return {"/k/b.txt",
                "/k/B.txt",
                "/k/ä.txt",
                "/k/Ä.txt",
                "/k/a_b.txt",
                "/k/aab.txt",
                "/k/[x].txt",
                "/k/{x}.txt",
                "/k/b",
                "/k/b.txt",
                "",
                "/K/Z.TXT",
                "/k/z.txt",
                QStringLiteral("/k/\U0001F600.txt"),
                QStringLiteral("/k/\uFF41.txt")};
    case 1:
    case 3:
        return {"10", "9", "-1", "-1", "2147483647", "-2147483648", "0", "9", "3", "1"};
    default:
        return {"0,5",  "0,25", "-1",    "-1", "5E-5", "0,0001", "1E15", "10",
                "9,99", "10",   "0,501", "0",  "-0,5", "1,5E-5", "1E308"};
    }
}

// The order in which a merge sort with the pairwise comparison of two cell texts leaves them.
QList<qsizetype> orderByPairwiseComparison(int column, const QStringList &cells, bool ascending)
{
    QList<qsizetype> order(cells.size());
    std::iota(order.begin(), order.end(), 0);
    mergeSort(order, [&](qsizetype i, qsizetype j) {
        return ascending ? compareCells(column, cells[i], cells[j], comma)
                         : compareCells(column, cells[j], cells[i], comma);
    });
    return order;
}

} // namespace

TEST(SortKeys, EveryPairComparesWithTheSignOfTheCellComparison)
{
    for (int column = 0; column < 5; ++column) {
        const QStringList cells = cellsOf(column);
        const SortKeys keys(column, cells, comma);
        for (qsizetype i = 0; i < cells.size(); ++i) {
            for (qsizetype j = 0; j < cells.size(); ++j)
                EXPECT_EQ(sign(keys.compare(i, j)),
                          sign(compareCells(column, cells[i], cells[j], comma)))
                    << "column " << column << ": " << cells[i].toStdString() << " vs "
                    << cells[j].toStdString();
        }
    }
}

TEST(SortKeys, SortOrderIsThatOfAMergeSortByPairwiseComparisonInBothDirections)
{
    QRandomGenerator random(8);
    for (int column = 0; column < 5; ++column) {
        // Many repeats of few values, so that the order of equal cells shows.
        const QStringList values = cellsOf(column);
        QStringList cells;
        for (int i = 0; i < 300; ++i)
            cells << values[random.bounded(int(values.size()))];
        for (const bool ascending : {true, false})
            EXPECT_EQ(sortOrder(column, cells, comma, ascending),
                      orderByPairwiseComparison(column, cells, ascending))
                << "column " << column << (ascending ? " ascending" : " descending");
    }
}

TEST(SortKeys, EqualCellsKeepTheirOrderAndDescendingIsNotTheReverse)
{
    const QStringList cells{"2", "1", "2", "1"};
    EXPECT_EQ(sortOrder(1, cells, comma, true), (QList<qsizetype>{1, 3, 0, 2}));
    EXPECT_EQ(sortOrder(1, cells, comma, false), (QList<qsizetype>{0, 2, 1, 3}));
    EXPECT_TRUE(sortOrder(2, {}, comma, true).isEmpty());
}

TEST(SortKeys, TheFirstCellThatDoesNotConvertStopsTheReading)
{
    try {
        sortOrder(4, {"1", "INF", "0.5", "2"}, comma, true);
        FAIL() << "INF is no number cell";
    } catch (const QvxError &error) {
        EXPECT_EQ(error.message(), QStringLiteral("'INF' ist kein gültiger Gleitkommawert"));
    }
    try {
        sortOrder(3, {"1", "2", "2,5"}, comma, false);
        FAIL() << "2,5 is no integer cell";
    } catch (const QvxError &error) {
        EXPECT_EQ(error.message(), QStringLiteral("''2,5'' ist kein gültiger Integer-Wert"));
    }
    // Paths are never converted.
    EXPECT_EQ(sortOrder(0, {"INF", "2,5"}, comma, true), (QList<qsizetype>{1, 0}));
}
