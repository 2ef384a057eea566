#pragma once

#include "text/sourceencoding.h"

#include <QString>
#include <QStringList>

class QListWidget;
class QListWidgetItem;
class QTreeWidgetItem;

// The source list and the result rows show each path decoded; a path whose bytes are not UTF-8
// (see nativePath) shows its foreign bytes as U+FFFD, which no longer names the file. Such a path
// is therefore kept whole as the item's data, and every reader takes the path from here. The
// encoding in which a text is read goes with its entry and its row in the same way.

// Appends the paths to the source list, their texts read in encoding.
void appendSourcePaths(QListWidget *box, const QStringList &paths,
                       SourceEncoding encoding = SourceEncoding::Windows1252);
// The path of a source list entry.
QString sourcePath(const QListWidgetItem *item);
// The encoding in which the text of a source list entry is read.
SourceEncoding sourceEncoding(const QListWidgetItem *item);

// Shows the path as the caption of a result row, its text read in encoding.
void setRowPath(QTreeWidgetItem *row, const QString &path,
                SourceEncoding encoding = SourceEncoding::Windows1252);
// The path of a result row.
QString rowPath(const QTreeWidgetItem *row);
// The encoding in which the text of a result row is read.
SourceEncoding rowEncoding(const QTreeWidgetItem *row);
