#include "window/sources/itempaths.h"

#include "results/resultcolumn.h"
#include "text/nativepath.h"

#include <QListWidget>
#include <QTreeWidgetItem>

namespace {

constexpr int pathRole = Qt::UserRole;

} // namespace

void appendSourcePaths(QListWidget *box, const QStringList &paths)
{
    for (const QString &path : paths) {
        if (!hasForeignBytes(path)) {
            box->addItem(path);
            continue;
        }
        auto *item = new QListWidgetItem(shownPath(path));
        item->setData(pathRole, path);
        box->addItem(item);
    }
}

QString sourcePath(const QListWidgetItem *item)
{
    const QVariant path = item->data(pathRole);
    return path.isValid() ? path.toString() : item->text();
}

void setRowPath(QTreeWidgetItem *row, const QString &path)
{
    if (!hasForeignBytes(path)) {
        row->setText(ResultColumn::File, path);
        return;
    }
    row->setText(ResultColumn::File, shownPath(path));
    row->setData(ResultColumn::File, pathRole, path);
}

QString rowPath(const QTreeWidgetItem *row)
{
    const QVariant path = row->data(ResultColumn::File, pathRole);
    return path.isValid() ? path.toString() : row->text(ResultColumn::File);
}
