#pragma once

#include <QString>

// Times "--version" of qvx-cli and of ripgrep, repetitions runs each, taking turns: what a run of
// either program costs beside its search (loading its libraries, starting, exiting), which a
// search over a few thousand small texts pays in full. Prints one row; nothing when either
// program is missing.
void benchStartAndExit(const QString &cli, int repetitions);
