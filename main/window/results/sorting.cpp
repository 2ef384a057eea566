#include "results/resultcolumn.h"
#include "results/sortkeys.h"
#include "text/numberformat.h"
#include "window/globals.h"
#include "window/tform1.h"

#include <QTreeWidget>

void TForm1::filesColumnClick(QObject * /*Sender*/, int Column)
{
    if (refuseWhileSaving())
        return;
    sortFiles(Column);
}

void TForm1::NachFrequenzfsortieren1Click(QObject * /*Sender*/)
{
    if (refuseWhileSaving())
        return;
    sortFiles(ResultColumn::F);
}

void TForm1::NachProzentsortieren1Click(QObject * /*Sender*/)
{
    if (refuseWhileSaving())
        return;
    sortFiles(ResultColumn::Percent);
}

void TForm1::filesCompare(QObject * /*Sender*/, QTreeWidgetItem *Item1, QTreeWidgetItem *Item2,
                          qint32 /*Data*/, qint32 &Compare)
{
    // The sort's own keys for the two cells.
    const QStringList cells{Item1->text(ColumnToSort), Item2->text(ColumnToSort)};
    Compare = SortKeys(ColumnToSort, cells, localeDecimalSeparator()).compare(0, 1, Accending);
}

void TForm1::sortFiles(qint32 column)
{
    ColumnToSort = column;
    const int n = files->topLevelItemCount();
    // A single row is never compared, so its cell is never read.
    if (n > 1) {
        QStringList cells;
        cells.reserve(n);
        for (int i = 0; i < n; ++i)
            cells << files->topLevelItem(i)->text(column);
        // Every cell is read before a row moves, so a cell that does not convert ends the sort
        // with the rows as they were.
        const QList<qsizetype> order =
            sortOrder(column, cells, localeDecimalSeparator(), Accending);
        QList<QTreeWidgetItem *> rows;
        rows.reserve(n);
        for (const qsizetype i : order)
            rows << files->topLevelItem(static_cast<int>(i));
        putRows(rows);
    }
    Accending = !Accending;
}

void TForm1::putRows(const QList<QTreeWidgetItem *> &rows)
{
    // Taking the rows out forgets the highlighted row, which the preview reads.
    QTreeWidgetItem *current = files->currentItem();
    const QList<QTreeWidgetItem *> selected = files->selectedItems();
    files->invisibleRootItem()->takeChildren();
    files->addTopLevelItems(rows);
    if (current && rows.contains(current))
        files->setCurrentItem(current, 0, QItemSelectionModel::NoUpdate);
    for (QTreeWidgetItem *row : selected) {
        if (rows.contains(row))
            row->setSelected(true);
    }
}
