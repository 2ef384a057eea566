#include "resultlistfixture.h"
#include "results/mergesort.h"
#include "window/globals.h"

#include <QHeaderView>
#include <QRandomGenerator>
#include <QTest>

namespace {

class SortingTest : public ResultListTest
{
};

} // namespace

TEST_F(SortingTest, HeaderClicksAlternateTheDirectionStartingDescending)
{
    addRow(QStringLiteral("/k/a.txt"), 9);
    addRow(QStringLiteral("/k/b.txt"), 10);
    addRow(QStringLiteral("/k/c.txt"), 3);

    clickHeader(1);
    EXPECT_EQ(column(1), (QStringList{"10", "9", "3"}));
    EXPECT_EQ(ColumnToSort, 1);
    EXPECT_TRUE(Accending);
    clickHeader(1);
    EXPECT_EQ(column(1), (QStringList{"3", "9", "10"}));
    EXPECT_FALSE(Accending);
    clickHeader(1);
    EXPECT_EQ(column(1), (QStringList{"10", "9", "3"}));
    EXPECT_TRUE(dialogs->shown().empty());
}

TEST_F(SortingTest, OneDirectionFlagServesEveryColumnAndBothMenuCommands)
{
    addRow(QStringLiteral("/k/a.txt"), 1, 0.5);
    addRow(QStringLiteral("/k/b.txt"), 3, 0.25);
    addRow(QStringLiteral("/k/c.txt"), 2, 10);
    addRow(QStringLiteral("/k/d.txt"), 4, 9);

    clickHeader(1);
    EXPECT_EQ(column(1), (QStringList{"4", "3", "2", "1"}));
    clickHeader(2);
    EXPECT_EQ(ColumnToSort, 2);
    EXPECT_EQ(column(2), (QStringList{"0,25", "0,5", "9", "10"}));

    trigger("NachProzentsortieren1");
    EXPECT_EQ(column(2), (QStringList{"10", "9", "0,5", "0,25"}));
    trigger("NachProzentsortieren1");
    EXPECT_EQ(column(2), (QStringList{"0,25", "0,5", "9", "10"}));

    trigger("NachFrequenzfsortieren1");
    EXPECT_EQ(ColumnToSort, 1);
    EXPECT_EQ(column(1), (QStringList{"4", "3", "2", "1"}));
    trigger("NachFrequenzfsortieren1");
    EXPECT_EQ(column(1), (QStringList{"1", "2", "3", "4"}));
}

TEST_F(SortingTest, AnEmptyListStillFlipsTheDirection)
{
    trigger("NachFrequenzfsortieren1");
    EXPECT_TRUE(Accending);
    EXPECT_EQ(ColumnToSort, 1);
    clickHeader(4);
    EXPECT_FALSE(Accending);
    EXPECT_EQ(ColumnToSort, 4);
    trigger("NachProzentsortieren1");
    EXPECT_TRUE(Accending);
    EXPECT_EQ(rowCount(), 0);
}

TEST_F(SortingTest, WeightingAndScoreColumnsSortByValue)
{
    setText("Edit4", QStringLiteral("0,5"));
    addRow(QStringLiteral("/k/a.txt"), 0, 0, 9);
    addRow(QStringLiteral("/k/b.txt"), 0, 0, 10);
    addRow(QStringLiteral("/k/c.txt"), 0, 0, 1);

    clickHeader(3);
    EXPECT_EQ(column(3), (QStringList{"10", "9", "1"}));
    clickHeader(4);
    EXPECT_EQ(column(4), (QStringList{"0,5", "4,5", "5"}));
}

TEST_F(SortingTest, PathsCompareWithOnlyAsciiLettersFolded)
{
    addRow(QStringLiteral("/k/a_b.txt"), -1);
    addRow(QStringLiteral("/k/ä.txt"), -1);
    addRow(QStringLiteral("/k/aab.txt"), -1);
    addRow(QStringLiteral("/k/Z.txt"), -1);
    addRow(QStringLiteral("/k/Ä.txt"), -1);

    trigger("NachFrequenzfsortieren1"); // leaves the next sort ascending
    clickHeader(0);
    EXPECT_EQ(column(0),
              (QStringList{"/k/aab.txt", "/k/a_b.txt", "/k/Z.txt", "/k/Ä.txt", "/k/ä.txt"}));
}

TEST_F(SortingTest, RowsOfASimpleSearchSortByAnyColumnWithoutLoss)
{
    const QStringList paths{"/k/a.txt", "/k/b.txt", "/k/c.txt"};
    for (const QString &path : paths)
        addRow(path, -1);
    for (int columnIndex = 0; columnIndex < 5; ++columnIndex)
        clickHeader(columnIndex);
    EXPECT_TRUE(dialogs->shown().empty());
    QStringList sorted = column(0);
    sorted.sort();
    EXPECT_EQ(sorted, paths);
    EXPECT_EQ(column(4), (QStringList{"-1", "-1", "-1"}));
}

TEST_F(SortingTest, RowsMoveWithTheirCheckMarksAndLaterRowsGoBelow)
{
    addRow(QStringLiteral("/k/a.txt"), 1, 1.5, 7);
    addRow(QStringLiteral("/k/b.txt"), 3, 2.5, 8);
    addRow(QStringLiteral("/k/c.txt"), 2, 3.5, 9);
    setChecked(1, false);
    form->files->setCurrentItem(form->files->topLevelItem(2));

    clickHeader(1);
    EXPECT_EQ(rowTexts(0), (QStringList{"/k/b.txt", "3", "2,5", "8", "11"}));
    EXPECT_EQ(rowTexts(1), (QStringList{"/k/c.txt", "2", "3,5", "9", "11"}));
    EXPECT_EQ(checkMarks(), (QList<bool>{false, true, true}));
    // The highlighted row, which the preview shows, stays highlighted.
    ASSERT_NE(form->files->currentItem(), nullptr);
    EXPECT_EQ(form->files->currentItem()->text(0), QStringLiteral("/k/c.txt"));
    EXPECT_EQ(form->files->selectedItems().size(), 1);
    EXPECT_TRUE(form->files->currentItem()->isSelected());

    addRow(QStringLiteral("/k/d.txt"), 9);
    addRow(QStringLiteral("/k/e.txt"), 0);
    EXPECT_EQ(column(1), (QStringList{"3", "2", "1", "9", "0"}));
}

TEST_F(SortingTest, InfiniteScoresSortAndNoNumberGoesLast)
{
    addRow(QStringLiteral("/k/a.txt"), 1, 1.0, 1);
    // Factors near the range of a double give scores that read "INF", "-INF" and "NAN".
    setText("Edit3", QStringLiteral("1E308"));
    addRow(QStringLiteral("/k/b.txt"), 10, 1.0, 1);
    setText("Edit3", QStringLiteral("-1E308"));
    addRow(QStringLiteral("/k/c.txt"), 10, 1.0, 1);
    setText("Edit3", QStringLiteral("1E308"));
    setText("Edit4", QStringLiteral("-1E308"));
    addRow(QStringLiteral("/k/d.txt"), 10, 1.0, 10);
    ASSERT_EQ(column(4), (QStringList{"2", "INF", "-INF", "NAN"}));

    clickHeader(4);
    EXPECT_EQ(column(0), (QStringList{"/k/b.txt", "/k/a.txt", "/k/c.txt", "/k/d.txt"}));
    clickHeader(4);
    EXPECT_EQ(column(0), (QStringList{"/k/c.txt", "/k/a.txt", "/k/b.txt", "/k/d.txt"}));
    EXPECT_TRUE(dialogs->shown().empty());
}

TEST_F(SortingTest, ACellThatDoesNotConvertEndsTheSortWithoutLosingARow)
{
    addRow(QStringLiteral("/k/a.txt"), 1, 1.0, 1);
    addRow(QStringLiteral("/k/b.txt"), 10, 1.0, 1);
    addRow(QStringLiteral("/k/c.txt"), 0, 1.0, 1);
    // The number format never writes this, but a cell may come from elsewhere.
    form->files->topLevelItem(1)->setText(4, QStringLiteral("inf"));

    clickHeader(4);
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown().front().text,
              QStringLiteral("'inf' ist kein gültiger Gleitkommawert."));
    EXPECT_EQ(column(0), (QStringList{"/k/a.txt", "/k/b.txt", "/k/c.txt"}));

    // The failed sort left the direction as it was: still descending.
    clickHeader(1);
    EXPECT_EQ(column(0), (QStringList{"/k/b.txt", "/k/a.txt", "/k/c.txt"}));
}

TEST_F(SortingTest, EveryColumnSortsAsAMergeSortWithTheListsComparison)
{
    // Few distinct values, so that most rows tie; the paths tie in pairs that differ only in the
    // case of an ASCII letter.
    QRandomGenerator random(3);
    const double percents[] = {-1.0, 0.25, 0.5, 9.0, 10.0};
    for (int i = 0; i < 40; ++i) {
        const QString path = QStringLiteral("/k/%1%2.txt")
                                 .arg(i % 2 ? QStringLiteral("a") : QStringLiteral("A"))
                                 .arg(i / 2 % 7);
        addRow(path, random.bounded(-1, 4), percents[random.bounded(5)], random.bounded(-1, 3));
        setChecked(i, random.bounded(2) == 1);
    }
    // Six sorts per column take each column through both directions and from both orders.
    for (int round = 0; round < 6; ++round) {
        for (int columnIndex = 0; columnIndex < 5; ++columnIndex) {
            ColumnToSort = columnIndex;
            QList<QTreeWidgetItem *> expected;
            for (int row = 0; row < rowCount(); ++row)
                expected << form->files->topLevelItem(row);
            mergeSort(expected, [this](QTreeWidgetItem *item1, QTreeWidgetItem *item2) {
                qint32 compare = 0;
                form->filesCompare(form->files, item1, item2, 0, compare);
                return compare;
            });
            const bool wasAscending = Accending;

            clickHeader(columnIndex);
            for (int row = 0; row < rowCount(); ++row)
                ASSERT_EQ(form->files->topLevelItem(row), expected[row])
                    << "row " << row << " after sorting column " << columnIndex
                    << (wasAscending ? " ascending" : " descending");
            EXPECT_EQ(Accending, !wasAscending);
        }
    }
    EXPECT_TRUE(dialogs->shown().empty());
}
