#pragma once

#include <QChar>
#include <QString>
#include <QtGlobal>

// The three ways the result list compares two values. Each returns a negative number when p
// goes first, a positive one when q goes first, and 0 when they are equal.

// The 32-bit difference p - q, wrapping as a 32-bit subtraction does.
qint32 compareIntegers(qint32 p, qint32 q);

// Only the sign of the difference counts, so values closer together than 1 are ordered too.
qint32 compareNumbers(double p, double q);

// Compares two cell texts of the given result list column: column 0 (the path) by CompareText,
// columns 1 and 3 (f, fB) as integers, the others (%, G) as decimal numbers written with
// decimalSeparator. Throws QvxError when a number cell does not convert.
qint32 compareCells(int column, const QString &p, const QString &q, QChar decimalSeparator);
