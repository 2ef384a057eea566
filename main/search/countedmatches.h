#pragma once

#include "text/sourceencoding.h"

#include <QString>
#include <vector>

// One match that a count counts, in UTF-16 code units of the loaded text; empty matches too.
struct MatchSpan
{
    qsizetype start = 0;
    qsizetype length = 0;
};

// A text as the search loads it, with the matches of the positive pattern that make its f.
struct CountedMatches
{
    QString text;
    std::vector<MatchSpan> matches;
};

// Loads the text at path in encoding as the search does and walks the pattern's matches by the
// counting rule, with the budget the search gives the positive pattern: as many as the row's f,
// at the places the preview marks. Throws QvxError as the search would: an unreadable file, an
// invalid pattern, a pattern over its limits on this text.
CountedMatches countedMatches(const QString &path, const QString &pattern, SourceEncoding encoding);
