#include "results/resultcelldelegate.h"

#include "search/resultcolumn.h"
#include "window/tform1.h"

#include <QPalette>
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
    // A selected row shows its highlight on the file name only; the number cells keep their
    // colours.
    if (index.column() != ResultColumn::File)
        option->state &= ~QStyle::State_Selected;
}

void TForm1::installResultDelegate()
{
    files->setItemDelegate(new ResultCellDelegate(files));
}
