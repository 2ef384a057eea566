#include "window/results/checkedrows.h"

#include "window/sources/itempaths.h"

#include <QTreeWidget>

QStringList checkedCaptions(const QTreeWidget *files)
{
    QStringList captions;
    const int n = files->topLevelItemCount();
    for (int row = 0; row < n; ++row) {
        const QTreeWidgetItem *item = files->topLevelItem(row);
        if (item->checkState(0) == Qt::Checked)
            captions << rowPath(item);
    }
    return captions;
}
