#pragma once

#include <QtGlobal>

// The two ways the result list compares two numbers (paths compare by CompareText). Each returns
// a negative number when p goes first, a positive one when q goes first, and 0 when they are
// equal.

// The 32-bit difference p - q, wrapping as a 32-bit subtraction does.
qint32 compareIntegers(qint32 p, qint32 q);

// Only the sign of the difference counts, so values closer together than 1 are ordered too.
qint32 compareNumbers(double p, double q);

// The order of two numbers in the given direction, descending being ascending with p and q
// exchanged; but NAN, which holds no number, goes after every number either way.
qint32 compareNumbersInOrder(double p, double q, bool ascending);
