#pragma once

// Ctrl-C (SIGINT) and SIGTERM only raise a flag, which the run looks at after every file and every
// copy, so that no file is left half-written. SIGPIPE is ignored: a write to a closed pipe then
// fails with EPIPE, and the run ends quietly after cleaning up. System calls go on after the
// signal.
void installInterruptionHandlers();

// Whether Ctrl-C was pressed or SIGTERM came.
bool interrupted();
