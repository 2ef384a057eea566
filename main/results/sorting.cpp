#include "results/cellcomparison.h"
#include "results/mergesort.h"
#include "search/globals.h"
#include "search/numberformat.h"
#include "search/tform1.h"

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
    sortFiles(1);
}

void TForm1::NachProzentsortieren1Click(QObject * /*Sender*/)
{
    if (refuseWhileSaving())
        return;
    sortFiles(2);
}

void TForm1::filesCompare(QObject * /*Sender*/, QTreeWidgetItem *Item1, QTreeWidgetItem *Item2,
                          qint32 /*Data*/, qint32 &Compare)
{
    const QString a = Item1->text(ColumnToSort);
    const QString b = Item2->text(ColumnToSort);
    const QChar separator = localeDecimalSeparator();
    // Descending is the ascending comparison with the two rows exchanged.
    Compare = Accending ? compareCells(ColumnToSort, a, b, separator)
                        : compareCells(ColumnToSort, b, a, separator);
}

void TForm1::sortFiles(qint32 column)
{
    ColumnToSort = column;
    QList<QTreeWidgetItem *> rows;
    rows.reserve(files->topLevelItemCount());
    for (int i = 0; i < files->topLevelItemCount(); ++i)
        rows << files->topLevelItem(i);
    // The rows stay in the list until the order is complete, so a cell that does not convert
    // ends the sort without losing a row.
    mergeSort(rows, [this](QTreeWidgetItem *item1, QTreeWidgetItem *item2) {
        qint32 compare = 0;
        filesCompare(files, item1, item2, 0, compare);
        return compare;
    });
    putRows(rows);
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
