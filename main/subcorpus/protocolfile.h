#pragma once

#include "errors/failure.h"
#include "subcorpus/protocol.h"

#include <QString>
#include <optional>

// Writes the record as protocolFileName into directory, whole or not at all, and never in place
// of a file that is there. The reason is the whole German message.
std::optional<Failure> writeProtocolFile(const QString &directory,
                                         const SubcorpusProtocol &protocol);

// The record in the file at path. Throws QvxError with a German message naming the file.
SubcorpusProtocol readProtocolFile(const QString &path);
