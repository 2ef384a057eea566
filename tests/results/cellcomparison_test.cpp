#include "errors/qvxerror.h"
#include "results/cellcomparison.h"
#include "results/mergesort.h"
#include "results/sortkeys.h"
#include "results/textcompare.h"

#include <QList>
#include <QStringList>
#include <gtest/gtest.h>
#include <limits>

namespace {

int sign(int value)
{
    return (value > 0) - (value < 0);
}

// Two cells of a column compared as the sort compares them.
qint32 compareCells(int column, const QString &p, const QString &q, QChar decimalSeparator)
{
    return SortKeys(column, {p, q}, decimalSeparator).compare(0, 1, true);
}

} // namespace

TEST(CompareText, FoldsOnlyAsciiLetters)
{
    EXPECT_EQ(CompareText(QStringLiteral("/k/b.txt"), QStringLiteral("/k/B.txt")), 0);
    EXPECT_EQ(CompareText(QStringLiteral("abcXYZ"), QStringLiteral("ABCxyz")), 0);
    EXPECT_NE(CompareText(QStringLiteral("/k/ä.txt"), QStringLiteral("/k/Ä.txt")), 0);
    // Ä (0xC4) stands before ä (0xE4) by code, not by any alphabet; both after every ASCII letter.
    EXPECT_LT(CompareText(QStringLiteral("Ä"), QStringLiteral("ä")), 0);
    EXPECT_GT(CompareText(QStringLiteral("ä"), QStringLiteral("z")), 0);
    EXPECT_NE(CompareText(QStringLiteral("ß"), QStringLiteral("SS")), 0);
}

TEST(CompareText, UnderscoreSortsAfterTheLetters)
{
    EXPECT_GT(CompareText(QStringLiteral("/k/a_b.txt"), QStringLiteral("/k/aab.txt")), 0);
    EXPECT_GT(CompareText(QStringLiteral("_"), QStringLiteral("z")), 0);
    // Characters between "Z" and "a" meet letters folded to upper case.
    EXPECT_GT(CompareText(QStringLiteral("["), QStringLiteral("a")), 0);
    EXPECT_LT(CompareText(QStringLiteral("["), QStringLiteral("{")), 0);
}

TEST(CompareText, ResultCarriesTheDifferenceAndShorterPrefixesComeFirst)
{
    EXPECT_EQ(CompareText(QStringLiteral("abc"), QStringLiteral("abd")), 'C' - 'D');
    EXPECT_EQ(CompareText(QStringLiteral("abd"), QStringLiteral("ABC")), 'D' - 'C');
    EXPECT_LT(CompareText(QStringLiteral("/k/a"), QStringLiteral("/k/a.txt")), 0);
    EXPECT_GT(CompareText(QStringLiteral("/k/a.txt"), QStringLiteral("/k/a")), 0);
    EXPECT_EQ(CompareText(QString(), QString()), 0);
    EXPECT_LT(CompareText(QString(), QStringLiteral("a")), 0);
}

TEST(CellComparison, IntegersGiveTheirDifference)
{
    EXPECT_EQ(compareIntegers(10, 9), 1);
    EXPECT_EQ(compareIntegers(9, 10), -1);
    EXPECT_EQ(compareIntegers(17, -1), 18);
    EXPECT_EQ(compareIntegers(-1, -1), 0);
    // The difference is a 32-bit one and wraps like the subtraction it stands for.
    EXPECT_EQ(compareIntegers(std::numeric_limits<qint32>::max(), -1),
              std::numeric_limits<qint32>::min());
}

TEST(CellComparison, NumbersGiveOnlyASign)
{
    EXPECT_EQ(compareNumbers(0.5, 0.25), 1);
    EXPECT_EQ(compareNumbers(0.25, 0.5), -1);
    EXPECT_EQ(compareNumbers(1e-5, 2e-5), -1);
    EXPECT_EQ(compareNumbers(1e300, -1e300), 1);
    EXPECT_EQ(compareNumbers(-1.0, -1.0), 0);
}

TEST(CellComparison, CellsAreReadByTheirColumn)
{
    const QChar comma(',');
    EXPECT_GT(compareCells(0, QStringLiteral("/k/b"), QStringLiteral("/k/a"), comma), 0);
    EXPECT_GT(compareCells(1, QStringLiteral("10"), QStringLiteral("9"), comma), 0);
    EXPECT_GT(compareCells(3, QStringLiteral("10"), QStringLiteral("9"), comma), 0);
    EXPECT_GT(compareCells(2, QStringLiteral("10"), QStringLiteral("9"), comma), 0);
    EXPECT_GT(compareCells(4, QStringLiteral("10"), QStringLiteral("9"), comma), 0);
    EXPECT_LT(compareCells(2, QStringLiteral("0,25"), QStringLiteral("0,5"), comma), 0);
    EXPECT_LT(compareCells(4, QStringLiteral("5E-5"), QStringLiteral("0,0001"), comma), 0);
    EXPECT_EQ(compareCells(1, QStringLiteral("-1"), QStringLiteral("-1"), comma), 0);
    EXPECT_EQ(compareCells(2, QStringLiteral("-1"), QStringLiteral("-1"), comma), 0);
    EXPECT_LT(compareCells(3, QStringLiteral("-1"), QStringLiteral("0"), comma), 0);
    // As text, "9" would follow "10".
    EXPECT_GT(compareCells(0, QStringLiteral("9"), QStringLiteral("10"), comma), 0);
}

TEST(CellComparison, NumberCellsFollowTheGivenSeparator)
{
    EXPECT_LT(compareCells(2, QStringLiteral("0.25"), QStringLiteral("0.5"), QChar('.')), 0);
    try {
        compareCells(2, QStringLiteral("0.25"), QStringLiteral("0,5"), QChar(','));
        FAIL() << "a point is no decimal separator in a comma locale";
    } catch (const QvxError &error) {
        EXPECT_EQ(error.message(), QStringLiteral("'0.25' ist kein gültiger Gleitkommawert"));
    }
    EXPECT_THROW(compareCells(1, QStringLiteral("2,5"), QStringLiteral("1"), QChar(',')), QvxError);
}

TEST(MergeSort, OrdersStablyByAThreeWayComparison)
{
    QStringList words{"b2", "a1", "c1", "a2", "b1", "a3"};
    mergeSort(words, [](const QString &x, const QString &y) {
        return static_cast<int>(x.at(0).unicode()) - static_cast<int>(y.at(0).unicode());
    });
    EXPECT_EQ(words, (QStringList{"a1", "a2", "a3", "b2", "b1", "c1"}));

    QList<int> none;
    mergeSort(none, [](int x, int y) { return x - y; });
    EXPECT_TRUE(none.isEmpty());
}

TEST(MergeSort, KeepsEveryElementWhateverTheComparisonAnswers)
{
    QList<int> values;
    for (int i = 0; i < 37; ++i)
        values << i;
    int calls = 0;
    // An answer that contradicts itself must neither lose nor duplicate an element.
    mergeSort(values, [&calls](int x, int y) { return sign(++calls % 3 - 1) * (x + y + 1); });
    QList<int> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < 37; ++i)
        EXPECT_EQ(sorted[i], i);
}
