#pragma once

#include "options.h"
#include "outputsink.h"
#include "resultrow.h"

// Writes the matches of the row's text in context, one line each (see appendHitLine), as many as
// its f. The text is loaded again and its matches found by the count of the search itself.
// Throws QvxError when it cannot be read, or when it no longer gives f matches: it changed
// after it was searched.
void writeHitsInContext(OutputSink &sink, const ResultRow &row, const CliOptions &options);
