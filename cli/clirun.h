#pragma once

#include "options.h"
#include "resultrow.h"

#include <QStringList>
#include <functional>

// The exit status, as grep's: rows found, none found, an error; Ctrl-C; standard output closed.
namespace ExitStatus {
enum : int
{
    Found = 0,
    NoneFound = 1,
    Failure = 2,
    Interrupted = 130,
    PipeClosed = 141,
};
} // namespace ExitStatus

// Runs qvx-cli with the arguments after the program's name and returns its exit status. Rows go
// to standard output, messages and the progress line to standard error.
int runCli(const QStringList &arguments);

// Runs the search of options, giving every row that would be written to takeRow instead, in the
// order of the output. Returns the exit status; throws QvxError for an error that ends the run.
int runSearch(const CliOptions &options, const std::function<void(const ResultRow &)> &takeRow);
