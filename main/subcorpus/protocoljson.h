#pragma once

#include "subcorpus/protocol.h"

#include <QByteArray>
#include <QString>

// The record as JSON in UTF-8, its keys in a fixed order, one copied text per line. A path's
// byte that is not UTF-8 is written as the escape of the code unit that holds it (see
// nativePath), so that reading gives the path back.
QByteArray protocolJson(const SubcorpusProtocol &protocol);

// The record that protocolJson wrote. Throws QvxError with a German message when the bytes are
// no such record.
SubcorpusProtocol protocolFromJson(const QByteArray &json);

// A row's % or G as the record writes it: the general number format with a point, which is a
// JSON number; "null" for a value that is not finite. Equal texts are equal cells.
QByteArray protocolNumber(double value);
