#pragma once

#include "corpus.h"

class WindowDriver;

struct SearchBenchOptions
{
    int repetitions = 5;
    // When not empty, only the searches whose label contains it.
    QString cases;
    // Every search runs once more, untimed, to probe the heap in use.
    bool measureHeap = false;
    // Also measure with the page cache emptied before every run.
    bool cold = true;
    // The command-line program to time beside the window, or empty.
    QString cli;
};

struct SearchBenchResult
{
    // Largest growth of the resident memory during one search over the corpus, in bytes, or -1.
    qint64 peakGrowth = -1;
    // The most heap in use during a search above what is still in use after it (its rows).
    qint64 transientGrowth = -1;
};

// The floors, the search runs of every pattern and mode through the window and, where they are
// installed, ripgrep (one thread and its own choice of threads) and the command-line program on
// the same files; one table row each search, with a warm page cache and, for the first pattern
// of either mode, an emptied one.
SearchBenchResult benchSearches(WindowDriver &window, const Corpus &corpus,
                                const SearchBenchOptions &options);
