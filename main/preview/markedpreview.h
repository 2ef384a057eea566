#pragma once

#include "preview/formatruns.h"
#include "preview/linemarker.h"

#include <QString>
#include <optional>
#include <vector>

// A text prepared for the preview.
struct MarkedPreview
{
    // The text as one line, every line break replaced by the marker.
    QString line;
    // How the line is shown, piece by piece.
    std::vector<PreviewPiece> pieces;
    // Set when a pattern could not be applied; the pieces then show the line as far as the
    // marking got, with every marker still as text.
    std::optional<QString> error;
};

// Marks in the line every match of the search pattern, then every match of the weighting pattern
// (left out when empty), and turns the markers that the marks leave whole into paragraph breaks.
// Both are case-sensitive regular expressions, whatever mode the search ran in. The matches are
// counted over the line followed by CR LF.
MarkedPreview markPreview(PreviewLine text, const QString &searchPattern,
                          const QString &weightingPattern);
