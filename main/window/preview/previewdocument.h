#pragma once

#include "preview/formatruns.h"

#include <QString>
#include <vector>

class QTextEdit;

// Replaces the preview's content by the text, piece by piece: unmarked text in the control's own
// format, search matches red, weighting matches in the palette's highlight colour, both bold and
// underlined; a paragraph break at every paragraph separator. The control gets the content as a
// new document, so caret and scroll position are where the control puts them for any new
// content.
void showPreviewPieces(QTextEdit *Vorschau, const QString &text,
                       const std::vector<PreviewPiece> &pieces);

// The note under a preview that shows only the beginning of its text.
QString previewCutNote();

// Adds the note as a paragraph of its own after the text, in italics, unmarked.
void appendCutNote(QTextEdit *Vorschau, const QString &note);
