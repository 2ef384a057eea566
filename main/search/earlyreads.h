#pragma once

#include "search/knownoutcomes.h"
#include "search/scanrecipe.h"

#include <QString>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Reads and searches the texts of a directory while the directory is still being listed, in the
// order the listing meets them, for a run over a snapshot of paths (see
// ReadAhead::Validity::Snapshot): reading a directory takes one thread, and the run's threads
// would otherwise wait for its sorted paths. The threads start once the listing has met a number
// of names and read at most kMostTexts of those that follow; the texts they do not read, and
// those larger than ReadAhead::kLargestText, are left to the run. The recipe reads every text in
// its encoding.
class EarlyReads
{
public:
    static constexpr qsizetype kMostTexts = 32768;
    // Names go to the threads this many at a time, which keeps the listing's thread off their
    // lock; the names of a last batch not full when the listing ends are left to the run.
    static constexpr std::size_t kBatch = 16;
    // By default the threads start once the listing has met this many names: a directory listed
    // sooner leaves them too little time, and starting them held its listing up by more than they
    // read.
    static constexpr qsizetype kStartAfter = 16384;

    EarlyReads(ScanRecipe recipe, QString directory, int threads,
               qsizetype startAfter = kStartAfter);
    // Stops the threads after the text each has in hand and waits for them.
    ~EarlyReads();
    EarlyReads(const EarlyReads &) = delete;
    EarlyReads &operator=(const EarlyReads &) = delete;

    // A name of a text of the directory, as the listing meets it (see ListingWatch).
    void listed(const char *name, std::size_t length);
    // How many of the texts listed so far are read.
    qsizetype textsRead() const { return m_read.load(); }
    // Ends the reading once the listing is over and adds the outcomes to known: the text that
    // was the listedAt[k]-th name at place first + k.
    void finish(const std::vector<qsizetype> &listedAt, int first, KnownOutcomes &known);

private:
    struct Outcome
    {
        qsizetype listed;
        PreparedText text;
    };

    void start();
    void work(std::vector<Outcome> &outcomes);
    void handOver();
    // The next names to read into names, with the place among the names handed over of the
    // first; false when the reading ends.
    bool takeNames(std::vector<std::string> &names, qsizetype &first);
    void stop();

    const ScanRecipe m_recipe;
    const QString m_directory;
    const int m_threadCount;
    const qsizetype m_startAfter;
    std::atomic<bool> m_stopping{false};
    std::atomic<qsizetype> m_read{0};
    // The names met by the listing so far, and those of them not yet handed to the threads.
    qsizetype m_listed = 0;
    std::vector<std::string> m_pending;
    std::mutex m_mutex;
    std::condition_variable m_namesOrStop;
    std::vector<std::string> m_names;
    qsizetype m_taken = 0;
    std::vector<std::vector<Outcome>> m_outcomes;
    std::vector<std::thread> m_threads;
};
