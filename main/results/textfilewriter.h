#pragma once

#include <QString>
#include <QStringList>

// Writes every line followed by CR LF in Windows-1252, '?' standing for what the code page cannot
// hold. The file is written whole or not at all: an existing file is replaced only once the new
// content is complete, so a failed write leaves it as it was. Throws QvxError with a German
// message when the file cannot be written.
void writeWindowsLines(const QString &path, const QStringList &lines);
