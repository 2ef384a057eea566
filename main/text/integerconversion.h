#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// The integer grammar of number cells and thresholds: optional leading blanks, an optional sign
// "+" or "-", decimal digits, nothing after them. Returns nothing for any other text and for a
// value outside the signed 32-bit range.
std::optional<qint32> parseInteger(const QString &text);

// parseInteger or QvxError "''<text>'' ist kein gültiger Integer-Wert".
qint32 StrToInt(const QString &text);
