#pragma once

#include "options.h"
#include "resultrow.h"
#include "subcorpus/protocol.h"

#include <QList>
#include <QStringList>

// The record of a run of qvx-cli with the arguments after the program's name, which copied the
// rows into options.copyTo. Sources and texts are named by their full paths.
SubcorpusProtocol protocolOfRun(const CliOptions &options, const QStringList &arguments,
                                const QList<ResultRow> &copied);

// The options that run the record's search again, writing and copying nothing. Throws QvxError
// when the record names an encoding or a sort column that qvx-cli does not know.
CliOptions optionsOfProtocol(const SubcorpusProtocol &protocol);
