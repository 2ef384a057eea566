#pragma once

#include <QString>
#include <optional>

// Copies the file source to the full file name dest, whole or not at all: the bytes go to a
// temporary file beside dest, which takes dest's place only once it is complete. The copy keeps
// the source's modification time. Returns a German reason (a sentence) when the copy failed;
// dest is then as it was before.
std::optional<QString> copyFileWhole(const QString &source, const QString &dest);

// dest when nothing exists there, otherwise the first free name "name (2).ext",
// "name (3).ext", ... in the same directory.
QString freeFileName(const QString &dest);
