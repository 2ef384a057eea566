#pragma once

#include "errors/failure.h"
#include "preview/formatruns.h"
#include "preview/linemarker.h"

#include <QString>
#include <optional>
#include <vector>

// A text prepared for the preview.
struct MarkedPreview
{
    // The text as it is shown: one line in which a paragraph separator (U+2029) stands for every
    // marker that the marks left whole, and the other markers stay text.
    QString text;
    // The stretches of the text in one format each, in order.
    std::vector<PreviewPiece> pieces;
    // Set when a pattern could not be applied, its reason the German message; the pieces then
    // show the line as far as the marking got, with every marker still as text.
    std::optional<Failure> error;
};

// Marks in the line every match of the search pattern, then every match of the weighting pattern
// (left out when empty), and turns the markers that the marks leave whole into paragraph
// separators.
// Both are case-sensitive regular expressions, whatever mode the search ran in. The matches are
// counted over the line followed by CR LF.
MarkedPreview markPreview(PreviewLine text, const QString &searchPattern,
                          const QString &weightingPattern);
