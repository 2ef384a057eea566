#pragma once

#include "text/sourceencoding.h"

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
};
