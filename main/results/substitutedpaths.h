#pragma once

#include <QString>
#include <QStringList>

// The paths among these that Windows-1252 cannot hold character for character; written into a
// Windows-1252 file, each of them names no existing text any more.
QStringList unrepresentablePaths(const QStringList &paths);

// The note shown after such paths were written with '?' in place of what the code page lacks:
// the file is complete, but these entries no longer lead to their texts.
QString substitutedPathsNote(const QStringList &paths);
