#pragma once

#include <QChar>
#include <QString>

// A threshold or a cell of the threshold selection as a number: for column 1 (f) the text must
// be an integer ("''<text>'' ist kein gültiger Integer-Wert" otherwise), for the columns 2 (%)
// and 3 (fB) a decimal number written with decimalSeparator, or "INF", "-INF", "NAN" ("'<text>'
// ist kein gültiger Gleitkommawert" otherwise). NAN is greater than no threshold. Every 32-bit
// integer is exact as a double, so one comparison of doubles serves all three columns.
double readThresholdNumber(int column, const QString &text, QChar decimalSeparator);

// The rule of the threshold selection: whether the cell's value is strictly greater than the
// threshold, both read as readThresholdNumber reads them.
bool exceedsThreshold(int column, const QString &cell, double threshold, QChar decimalSeparator);
