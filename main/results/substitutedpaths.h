#pragma once

#include <QString>
#include <QStringList>

// The path as a line of a Windows-1252 file holds it: a line break inside it, which would end the
// line and start a line of its own, is written as '?'.
QString pathInLine(const QString &path);

// The paths among these that a line of a Windows-1252 file cannot hold character for character
// (a character the code page lacks, a byte of a name that is not UTF-8 and no Windows-1252
// character, a line break); written into such a file, each of them names no existing text any
// more.
QStringList unrepresentablePaths(const QStringList &paths);

// The note shown after such paths were written with '?' in place of what the code page lacks:
// the file is complete, but these entries no longer lead to their texts.
QString substitutedPathsNote(const QStringList &paths);
