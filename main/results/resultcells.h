#pragma once

#include <QChar>
#include <QStringList>
#include <QtGlobal>

// The score G = f*fK + fB*fBK in double precision, each product first; -1 for a row without a
// weighting count (fB < 0), whose factors are never read.
double rowScore(qint32 f, qint32 fB, double fK, double fBK);

// The texts of a result row's number cells f, %, fB and G, in this order: the counts as integers,
// % and G in the general number format with decimalSeparator.
QStringList resultCells(qint32 f, double proz, qint32 fB, double G, QChar decimalSeparator);
