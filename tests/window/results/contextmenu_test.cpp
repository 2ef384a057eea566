#include "resultlistfixture.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QImage>
#include <QMenu>

namespace {

class ResultListViewTest : public ResultListTest
{
protected:
    // What a right click at pos in widget sends.
    static void rightClick(QWidget *widget, const QPoint &pos)
    {
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, widget->mapToGlobal(pos));
        QApplication::sendEvent(widget, &event);
    }

    QRect cellRect(int row, int columnIndex) const
    {
        const QRect rowRect = form->files->visualItemRect(form->files->topLevelItem(row));
        const QHeaderView *header = form->files->header();
        return QRect(header->sectionViewportPosition(columnIndex), rowRect.top(),
                     header->sectionSize(columnIndex), rowRect.height());
    }

    // A pixel near the right end of the cell, clear of its text.
    static QColor background(const QImage &image, const QRect &cell)
    {
        return image.pixelColor(cell.right() - 3, cell.center().y());
    }
};

} // namespace

TEST_F(ResultListViewTest, ARightClickAnywhereInTheListOpensItsMenu)
{
    addRow(QStringLiteral("/k/a.txt"), 1);
    addRow(QStringLiteral("/k/b.txt"), 2);
    setChecked(0, false);
    QWidget *viewport = form->files->viewport();
    const QPoint onRow = cellRect(1, 2).center();
    const QPoint belowRows(10, viewport->height() - 5);
    QWidget *header = form->files->header()->viewport();
    const QPoint onHeader(20, header->height() / 2);

    rightClick(viewport, onRow);
    rightClick(viewport, belowRows);
    rightClick(header, onHeader);

    const auto &popups = dialogs->popups();
    ASSERT_EQ(popups.size(), 3u);
    EXPECT_EQ(popups[0].menu, form->PopupMenu1);
    EXPECT_EQ(popups[0].pos, viewport->mapToGlobal(onRow));
    EXPECT_EQ(popups[1].menu, form->PopupMenu1);
    EXPECT_EQ(popups[1].pos, viewport->mapToGlobal(belowRows));
    EXPECT_EQ(popups[2].menu, form->PopupMenu1);
    EXPECT_EQ(popups[2].pos, header->mapToGlobal(onHeader));
}

TEST_F(ResultListViewTest, MenuCommandsActOnTheWholeListNotTheRowUnderTheMouse)
{
    addRow(QStringLiteral("/k/a.txt"), 1);
    addRow(QStringLiteral("/k/b.txt"), 2);
    addRow(QStringLiteral("/k/c.txt"), 3);
    setChecked(0, false);
    setChecked(2, false);
    dialogs->answerPopup(QStringLiteral("Allesauswhlen1"));
    rightClick(form->files->viewport(), cellRect(1, 0).center());
    EXPECT_EQ(checkMarks(), (QList<bool>{true, true, true}));

    dialogs->answerPopup(QStringLiteral("NachFrequenzfsortieren1"));
    rightClick(form->files->viewport(), cellRect(2, 0).center());
    EXPECT_EQ(column(1), (QStringList{"3", "2", "1"}));
}

TEST_F(ResultListViewTest, FCellsAreRedAndFbCellsTheHighlightColourInEveryRow)
{
    addRow(QStringLiteral("/k/a.txt"), 1, 1, 1);
    addRow(QStringLiteral("/k/b.txt"), 2, 2, 2);
    setChecked(1, false);
    const QColor highlight = form->files->palette().color(QPalette::Active, QPalette::Highlight);
    ASSERT_NE(highlight, QColor(Qt::white));

    const QImage image = form->files->viewport()->grab().toImage();
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(background(image, cellRect(row, 0)), QColor(255, 255, 255)) << row;
        EXPECT_EQ(background(image, cellRect(row, 1)), QColor(255, 0, 0)) << row;
        EXPECT_EQ(background(image, cellRect(row, 2)), QColor(255, 255, 255)) << row;
        EXPECT_EQ(background(image, cellRect(row, 3)), highlight) << row;
        EXPECT_EQ(background(image, cellRect(row, 4)), QColor(255, 255, 255)) << row;
    }
}

TEST_F(ResultListViewTest, ASelectedRowIsHighlightedOnItsFirstCellOnly)
{
    addRow(QStringLiteral("/k/a.txt"), 1, 1, 1);
    form->files->setCurrentItem(form->files->topLevelItem(0));
    const QColor highlight = form->files->palette().color(QPalette::Active, QPalette::Highlight);

    const QImage image = form->files->viewport()->grab().toImage();
    EXPECT_NE(background(image, cellRect(0, 0)), QColor(255, 255, 255));
    EXPECT_EQ(background(image, cellRect(0, 1)), QColor(255, 0, 0));
    EXPECT_EQ(background(image, cellRect(0, 2)), QColor(255, 255, 255));
    EXPECT_EQ(background(image, cellRect(0, 3)), highlight);
    EXPECT_EQ(background(image, cellRect(0, 4)), QColor(255, 255, 255));
}
