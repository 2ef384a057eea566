#pragma once

#include "text/sourceencoding.h"

#include <QList>
#include <QString>

// What every text of one search run is searched with, as the run's start found it. Its fields
// are set by name: the constructor, being user-provided, rules out filling them by position,
// where swapping two strings of the same type would go unnoticed.
struct ScanRecipe
{
    ScanRecipe() {}

    // False: the simple mode.
    bool regex = true;
    QString suchstr;
    QString ausschlstr;
    // The weighting text taken for every text.
    QString weighting;
    // The simple mode's case rule taken for every text.
    bool ignoreCase = false;
    SourceEncoding encoding = SourceEncoding::Windows1252;
    // The encodings of the texts by their place in the run, for a run whose texts differ in it
    // (a source list may mix them); a text beyond them is read in encoding.
    QList<SourceEncoding> encodings;

    SourceEncoding encodingOf(qsizetype text) const
    {
        return text < encodings.size() ? encodings[text] : encoding;
    }
};
