#include "window/results/resultcelldelegate.h"

#include "results/resultcolumn.h"
#include "window/tform1.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QPalette>
#include <QToolTip>
#include <QTreeWidget>

QColor resultCellBackground(int column, const QPalette &palette)
{
    switch (column) {
    case ResultColumn::F:
        return QColor(255, 0, 0);
    case ResultColumn::FB:
        return palette.color(QPalette::Active, QPalette::Highlight);
    default:
        return QColor(255, 255, 255);
    }
}

void ResultCellDelegate::initStyleOption(QStyleOptionViewItem *option,
                                         const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->backgroundBrush = resultCellBackground(index.column(), option->palette);
    if (index.column() == ResultColumn::File) {
        // In a deep folder every row would otherwise end in the same cut-off folder name.
        option->textElideMode = Qt::ElideMiddle;
    } else {
        // A selected row shows its highlight on the file name only; the number cells keep their
        // colours.
        option->state &= ~QStyle::State_Selected;
    }
}

bool ResultCellDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view,
                                   const QStyleOptionViewItem &option, const QModelIndex &index)
{
    if (event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    if (textCut(option, index, view)) {
        QToolTip::showText(event->globalPos(), index.data(Qt::DisplayRole).toString(), view,
                           view->visualRect(index));
    } else {
        QToolTip::hideText();
    }
    return true;
}

bool ResultCellDelegate::textCut(const QStyleOptionViewItem &option, const QModelIndex &index,
                                 const QWidget *view) const
{
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QStyle *style = view->style();
    const QRect room = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, view);
    // The style keeps this margin on either side of the text.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, &cell, view) + 1;
    return cell.fontMetrics.horizontalAdvance(cell.text) + 2 * margin > room.width();
}

void TForm1::installResultDelegate()
{
    files->setItemDelegate(new ResultCellDelegate(files));
}
