#pragma once

#include "text/sourceencoding.h"

#include <QString>

class QTextEdit;

// Shows the text of the file filestr, read in encoding, in Vorschau with the matches of the last
// search's search and weighting strings marked; does nothing while no row of the result list is
// selected. Throws QvxError for a file that cannot be read (the preview keeps what it shows) and
// for a pattern that cannot be applied (the preview shows the text as far as it was marked).
void Ladevorschau(QTextEdit *Vorschau, const QString &filestr,
                  SourceEncoding encoding = SourceEncoding::Windows1252);
