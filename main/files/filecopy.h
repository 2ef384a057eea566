#pragma once

#include "errors/failure.h"

#include <QString>
#include <optional>

// Copies the file source to the full file name dest, whole or not at all: the bytes go to a
// temporary file beside dest, which takes dest's place only once it is complete. Only a regular
// source is copied, no more than the size it had when opened. The copy keeps the source's
// modification time. Returns why the copy failed (its reason with a closing full stop); dest is
// then as it was before. Both paths may hold bytes that are not UTF-8 (see nativePath).
std::optional<Failure> copyFileWhole(const QString &source, const QString &dest);

// The report of a failed copy: "Die Datei <source> konnte nicht nach <dest> kopiert werden.
// <reason>".
QString copyFailedMessage(const QString &source, const QString &dest, const QString &reason);

// Whether anything exists at path (a dangling link counts as nothing).
bool pathExists(const QString &path);
// Whether path is a regular file, after links.
bool isRegularFile(const QString &path);
// Whether path is a directory, after links.
bool isDirectory(const QString &path);

// dest when nothing exists there, otherwise the first free name "name (2).ext",
// "name (3).ext", ... in the same directory.
QString freeFileName(const QString &dest);
