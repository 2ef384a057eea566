#pragma once

#include "corpus.h"

class WindowDriver;

struct SearchBenchResult
{
    // Largest growth of the resident memory during one search over the corpus, in bytes, or -1.
    qint64 peakGrowth = -1;
    // The most heap in use during a search above what is still in use after it (its rows).
    qint64 transientGrowth = -1;
};

// The floor, the search runs of every pattern and mode through the window and, where ripgrep is
// installed, ripgrep on the same files; one table row each. cases, when not empty, keeps only the
// searches whose label contains it.
// With measureHeap, every search runs once more, untimed, to probe the heap in use.
SearchBenchResult benchSearches(WindowDriver &window, const Corpus &corpus, int repetitions,
                                const QString &cases, bool measureHeap);
