#pragma once

#include <QColor>
#include <QStyledItemDelegate>

class QPalette;

// The background of a result list cell by its column: f red, fB the palette's highlight colour
// (the colours of the two search strings elsewhere in the window; the active one, so that the
// cells keep their colour when the window loses the focus), every other column white.
QColor resultCellBackground(int column, const QPalette &palette);

// Paints every cell of the result list on the background of its column, also the cells of rows
// added after the delegate was installed. Only the first cell of a selected row is highlighted.
// A path too long for its cell is cut in the middle, so that the file name stays in view. A cell
// too narrow for its text shows the whole text as its tooltip.
class ResultCellDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    // Whether the cell's text is wider than the room the style gives it.
    bool textCut(const QStyleOptionViewItem &option, const QModelIndex &index,
                 const QWidget *view) const;
};
