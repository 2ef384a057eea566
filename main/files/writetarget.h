#pragma once

#include "errors/failure.h"

#include <QString>
#include <optional>

// The target of a file written whole (files/wholefile.h), whose temporary file beside the target
// is renamed over whatever stands there: a device or a pipe (/dev/full, say) would be replaced by
// a plain file, which as root even succeeds. Only plain files are therefore replaced; the links
// to them are followed.

// Why nothing may be written at path: a directory of that name, or something that is not a plain
// file. Its reason is German, for fileNotWrittenMessage.
std::optional<Failure> refusedTargetReason(const QString &path);

// "Die Datei <path> konnte nicht geschrieben werden. <reason>"
QString fileNotWrittenMessage(const QString &path, const QString &reason);
