#include "window/sources/itempaths.h"

#include "results/resultcolumn.h"
#include "text/nativepath.h"

#include <QListWidget>
#include <QTreeWidgetItem>

namespace {

constexpr int pathRole = Qt::UserRole;
// Only an encoding other than Windows-1252 is kept, so that the entries of a list read as before
// are the plain items they always were.
constexpr int encodingRole = Qt::UserRole + 1;

SourceEncoding encodingOf(const QVariant &data)
{
    return data.isValid() ? SourceEncoding(data.toInt()) : SourceEncoding::Windows1252;
}

} // namespace

void appendSourcePaths(QListWidget *box, const QStringList &paths, SourceEncoding encoding)
{
    for (const QString &path : paths) {
        if (!hasForeignBytes(path) && encoding == SourceEncoding::Windows1252) {
            box->addItem(path);
            continue;
        }
        auto *item = new QListWidgetItem(shownPath(path));
        if (hasForeignBytes(path))
            item->setData(pathRole, path);
        if (encoding != SourceEncoding::Windows1252)
            item->setData(encodingRole, int(encoding));
        box->addItem(item);
    }
}

QString sourcePath(const QListWidgetItem *item)
{
    const QVariant path = item->data(pathRole);
    return path.isValid() ? path.toString() : item->text();
}

SourceEncoding sourceEncoding(const QListWidgetItem *item)
{
    return encodingOf(item->data(encodingRole));
}

void setRowPath(QTreeWidgetItem *row, const QString &path, SourceEncoding encoding)
{
    if (encoding != SourceEncoding::Windows1252)
        row->setData(ResultColumn::File, encodingRole, int(encoding));
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

SourceEncoding rowEncoding(const QTreeWidgetItem *row)
{
    return encodingOf(row->data(ResultColumn::File, encodingRole));
}
