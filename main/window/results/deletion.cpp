#include "window/tform1.h"

#include <QTreeWidget>

void TForm1::AusgewhlteItemslschen1Click(QObject * /*Sender*/)
{
    if (refuseWhileSaving())
        return;
    deleteRows(true);
}

void TForm1::NichtausgewhlteItemslschen1Click(QObject * /*Sender*/)
{
    if (refuseWhileSaving())
        return;
    deleteRows(false);
}

void TForm1::deleteRows(bool checked)
{
    // One pass that keeps the other rows in their order; taking single rows out one by one would
    // cost a model update each.
    QList<QTreeWidgetItem *> kept;
    QList<QTreeWidgetItem *> removed;
    for (int i = 0; i < files->topLevelItemCount(); ++i) {
        QTreeWidgetItem *row = files->topLevelItem(i);
        ((row->checkState(0) == Qt::Checked) == checked ? removed : kept) << row;
    }
    putRows(kept);
    qDeleteAll(removed);
    showHitCount();
}
