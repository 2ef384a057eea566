#include "sourcelistfixture.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

class FoundTextsTest : public SourceListTest
{
protected:
    // Picks a command of Button7's menu as a user would.
    void choose(const char *actionName)
    {
        dialogs->answerPopup(QLatin1String(actionName));
        click("Button7");
    }
    void setChecked(int row, bool checked)
    {
        find<QTreeWidget>("files")->topLevelItem(row)->setCheckState(0, checked ? Qt::Checked
                                                                                : Qt::Unchecked);
    }
    QList<bool> checkMarks() const
    {
        QList<bool> marks;
        for (int row = 0; row < rowCount(); ++row)
            marks << rowChecked(row);
        return marks;
    }
    // Puts the rows into the given order, as a sort would.
    void reorderRows(const QList<int> &order)
    {
        auto *files = find<QTreeWidget>("files");
        QList<QTreeWidgetItem *> items;
        for (int row : order)
            items << files->topLevelItem(row);
        while (files->topLevelItemCount() > 0)
            files->takeTopLevelItem(0);
        files->addTopLevelItems(items);
    }
    const QString sortedCaption = QStringLiteral("Quelldateien (*.txt) [10]");
};

} // namespace

TEST_F(FoundTextsTest, NewSourceHoldsTheCheckedRowsAndTheNextSearchReadsOnlyThem)
{
    const QStringList paths = useTexts({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    search();
    ASSERT_EQ(rowCount(), 10);
    for (int row = 0; row < 10; ++row)
        setChecked(row, row == 2 || row == 5 || row == 7);
    find<QLabel>("Label1")->setText(sortedCaption);
    const QList<bool> marks = checkMarks();

    choose("extealsneueQuelle1");
    EXPECT_EQ(boxTexts(), (QStringList{paths[2], paths[5], paths[7]}));
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_EQ(label1(), sortedCaption);
    EXPECT_EQ(rowCount(), 10);
    EXPECT_EQ(checkMarks(), marks);
    EXPECT_TRUE(find<QListWidget>("box")->updatesEnabled());

    search();
    EXPECT_EQ(rowCaptions(), (QStringList{paths[2], paths[5], paths[7]}));
    EXPECT_EQ(rowTexts(1)[1], QStringLiteral("6"));
}

TEST_F(FoundTextsTest, AppendingAfterASortTakesTheSortedOrderAndKeepsDuplicates)
{
    const QStringList paths = useTexts({1, 2, 3, 4});
    search();
    ASSERT_EQ(rowCount(), 4);
    reorderRows({3, 1, 0, 2});
    setChecked(1, false); // paths[1]
    find<QLabel>("Label1")->setText(sortedCaption);

    choose("hinzu1");
    EXPECT_EQ(boxTexts(),
              (QStringList{paths[0], paths[1], paths[2], paths[3], paths[3], paths[0], paths[2]}));
    EXPECT_EQ(label1(), sortedCaption);
    EXPECT_TRUE(dialogs->shown().empty());

    // Each path that stands twice gives two rows.
    search();
    EXPECT_EQ(rowCaptions(),
              (QStringList{paths[0], paths[1], paths[2], paths[3], paths[3], paths[0], paths[2]}));
}

TEST_F(FoundTextsTest, NothingCheckedEmptiesTheSourcesOrAppendsNothing)
{
    const QStringList paths = useTexts({1, 2});
    choose("hinzu1");
    EXPECT_EQ(boxTexts(), paths);
    choose("extealsneueQuelle1");
    EXPECT_TRUE(boxTexts().isEmpty());

    setSources(paths);
    search();
    setChecked(0, false);
    setChecked(1, false);
    choose("hinzu1");
    EXPECT_EQ(boxTexts(), paths);
    choose("extealsneueQuelle1");
    EXPECT_TRUE(boxTexts().isEmpty());
    EXPECT_EQ(rowCount(), 2);
    EXPECT_EQ(label1(), QStringLiteral("Quelldateien (*.txt)"));
}

TEST_F(FoundTextsTest, Button7OpensItsMenuAtTheMousePointerAlsoFromTheKeyboard)
{
    auto *button = find<QPushButton>("Button7");
    QCursor::setPos(button->mapToGlobal(QPoint(3, 4)));
    click("Button7");
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Space);

    ASSERT_EQ(dialogs->popups().size(), 2u);
    for (const ScriptedDialogs::Popup &popup : dialogs->popups()) {
        EXPECT_EQ(popup.menu, find<QMenu>("AlsQuelldaten"));
        EXPECT_EQ(popup.pos, QCursor::pos());
    }
    EXPECT_TRUE(boxTexts().isEmpty());
}

TEST_F(FoundTextsTest, RightClickOnButton7OpensTheSameMenuAtTheClick)
{
    const QStringList paths = useTexts({1});
    search();
    auto *button = find<QPushButton>("Button7");
    const QPoint local(7, 5);
    dialogs->answerPopup(QStringLiteral("hinzu1"));
    QContextMenuEvent event(QContextMenuEvent::Mouse, local, button->mapToGlobal(local));
    QCoreApplication::sendEvent(button, &event);

    ASSERT_EQ(dialogs->popups().size(), 1u);
    EXPECT_EQ(dialogs->popups().front().menu, find<QMenu>("AlsQuelldaten"));
    EXPECT_EQ(dialogs->popups().front().pos, button->mapToGlobal(local));
    EXPECT_EQ(boxTexts(), (QStringList{paths[0], paths[0]}));
}
