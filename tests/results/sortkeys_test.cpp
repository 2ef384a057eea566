#include "errors/qvxerror.h"
#include "results/cellcomparison.h"
#include "results/mergesort.h"
#include "results/sortkeys.h"
#include "results/textcompare.h"
#include "text/integerconversion.h"
#include "text/numberformat.h"

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
// CompareText, f and fB as integers, % and G as decimal numbers (with NAN last either way);
// descending otherwise exchanges the two cells.
qint32 compareCellsInOrder(int column, const QString &p, const QString &q, QChar decimalSeparator,
                           bool ascending)
{
    switch (column) {
    case 0:
        return ascending ? CompareText(p, q) : CompareText(q, p);
    case 1:
    case 3:
        return ascending ? compareIntegers(StrToInt(p), StrToInt(q))
                         : compareIntegers(StrToInt(q), StrToInt(p));
    default:
        return compareNumbersInOrder(cellNumber(p, decimalSeparator),
                                     cellNumber(q, decimalSeparator), ascending);
    }
}

// Cells of each column with ties, the "-1" of a simple search, values whose 32-bit difference
// wraps, decimals closer together than 1, and paths that differ only in the case of an ASCII
// letter, of an umlaut, or in characters between the upper and lower case letters; the texts
// without digits that the number format writes for infinite scores and for no number.
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
        return {"0,5",   "0,25", "-1",   "-1",     "5E-5",  "0,0001", "1E15", "10",  "9,99", "10",
                "0,501", "0",    "-0,5", "1,5E-5", "1E308", "INF",    "-INF", "NAN", "NAN"};
    }
}

// The order in which a merge sort with the pairwise comparison of two cell texts leaves them.
QList<qsizetype> orderByPairwiseComparison(int column, const QStringList &cells, bool ascending)
{
    QList<qsizetype> order(cells.size());
    std::iota(order.begin(), order.end(), 0);
    mergeSort(order, [&](qsizetype i, qsizetype j) {
        return compareCellsInOrder(column, cells[i], cells[j], comma, ascending);
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
            for (qsizetype j = 0; j < cells.size(); ++j) {
                for (const bool ascending : {true, false})
                    EXPECT_EQ(
                        sign(keys.compare(i, j, ascending)),
                        sign(compareCellsInOrder(column, cells[i], cells[j], comma, ascending)))
                        << "column " << column << ": " << cells[i].toStdString() << " vs "
                        << cells[j].toStdString();
            }
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

TEST(SortKeys, InfiniteScoresSortAsNumbersAndNanGoesLastEitherWay)
{
    const QStringList cells{"NAN", "1", "INF", "-INF", "NAN", "1E308"};
    EXPECT_EQ(sortOrder(4, cells, comma, true), (QList<qsizetype>{3, 1, 5, 2, 0, 4}));
    EXPECT_EQ(sortOrder(4, cells, comma, false), (QList<qsizetype>{2, 5, 1, 3, 0, 4}));
}

TEST(SortKeys, TheFirstCellThatDoesNotConvertStopsTheReading)
{
    try {
        sortOrder(4, {"1", "inf", "0.5", "2"}, comma, true);
        FAIL() << "inf is no number cell";
    } catch (const QvxError &error) {
        EXPECT_EQ(error.message(), QStringLiteral("'inf' ist kein gültiger Gleitkommawert"));
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
