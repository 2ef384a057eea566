#pragma once

#include "errors/failure.h"

#include <QFileDevice>
#include <QString>
#include <optional>

// The target of a file written whole through QSaveFile, which puts its temporary file beside the
// target and renames it over whatever stands there: a device or a pipe (/dev/full, say) would be
// replaced by a plain file, which as root even succeeds. Only plain files are therefore replaced;
// the links to them are followed.

// Why nothing may be written at path: a directory of that name, or something that is not a plain
// file. Its reason is German, for fileNotWrittenMessage.
std::optional<Failure> refusedTargetReason(const QString &path);

// Why file, meant for path, could not be opened or committed: a missing directory, or what the
// system reported.
QString writeFailureReason(const QString &path, const QFileDevice &file);

// "Die Datei <path> konnte nicht geschrieben werden. <reason>"
QString fileNotWrittenMessage(const QString &path, const QString &reason);
