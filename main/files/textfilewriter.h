#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Writes every line followed by CR LF in Windows-1252, '?' standing for what the code page cannot
// hold. The file is written whole or not at all: an existing file is replaced only once the new
// content is complete, so a failed write leaves it as it was. Throws QvxError with a German
// message when the file cannot be written.
void writeWindowsLines(const QString &path, const QStringList &lines);

// Appends the line as such a file holds it: in Windows-1252, '?' standing for what the code page
// cannot hold, followed by CR LF.
void appendWindowsLine(QByteArray &bytes, const QString &line);
