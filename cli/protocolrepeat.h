#pragma once

#include "options.h"

// Runs the search of the record in options.repeatFile again, with its -q and -j, and writes to
// standard output whether the result is the same ("gleich") or which texts differ and how.
// Returns 0 when it is the same, 1 when it differs, or the status of a run that failed or was
// interrupted. Throws QvxError when the record cannot be read.
int repeatProtocol(const CliOptions &options);
