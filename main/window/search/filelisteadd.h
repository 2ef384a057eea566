#pragma once

#include "text/sourceencoding.h"

#include <QString>
#include <QtGlobal>

// Appends a checked result row for filestr, whose text was read in encoding, to the result list
// of Form1. With a weighting count (fB >= 0) both factor fields are read and checked before
// anything is appended, so a factor that is not a number leaves no half-filled row behind.
void filelisteAdd(const QString &filestr, qint32 f, double proz, qint32 fB,
                  SourceEncoding encoding = SourceEncoding::Windows1252);
