#pragma once

#include <QString>
#include <QStringList>

class QListWidget;
class QListWidgetItem;
class QTreeWidgetItem;

// The source list and the result rows show each path decoded; a path whose bytes are not UTF-8
// (see nativePath) shows its foreign bytes as U+FFFD, which no longer names the file. Such a path
// is therefore kept whole as the item's data, and every reader takes the path from here.

// Appends the paths to the source list.
void appendSourcePaths(QListWidget *box, const QStringList &paths);
// The path of a source list entry.
QString sourcePath(const QListWidgetItem *item);

// Shows the path as the caption of a result row.
void setRowPath(QTreeWidgetItem *row, const QString &path);
// The path of a result row.
QString rowPath(const QTreeWidgetItem *row);
