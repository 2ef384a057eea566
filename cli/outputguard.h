#pragma once

#include <QString>
#include <QStringList>

// Refuses an output file (-o) that would overwrite a source text, found by device and inode so
// that no other spelling, hard link or symbolic link gets past, or that would lie in the new
// target directory of --copy-to (copyTo, empty without one), which takes nothing but the copies.
// Throws QvxError with a German message; nothing has been read or written then.
void checkOutputFile(const QString &output, const QStringList &sources, const QString &copyTo);
