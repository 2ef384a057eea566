#pragma once

#include "search/eventpoints.h"
#include "search/preparedtext.h"
#include "search/readadviser.h"
#include "search/scanrecipe.h"

#include <QString>
#include <QStringList>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// One thread per core, at least one.
int defaultReadAheadThreads();

// Reads, decodes and searches the texts of a run on threads of their own, ahead of the run, which
// takes their outcomes one after another. The disk always has reads queued (the kernel is asked
// ahead for the texts after those in hand, see ReadAdviser) and every core has work, while the
// run's own thread adds rows and lets the window work.
//
// The threads run at most kFilesAhead texts ahead of the last one taken. Only one of them at a
// time reads a text larger than kLargestText and gives its buffers back afterwards, so that the
// run holds at most one such text, beside buffers for texts of that size. A search that failed
// on a text that was read (a pattern in error or over its limits) is recorded for its turn; what
// becomes of a file that could not be read, or that changed around its reading, depends on the
// validity asked for.
class ReadAhead
{
public:
    static constexpr int kFilesAhead = 512;
    // A thread that found no room sleeps until this many slots are free again, so that the run
    // wakes it once for a batch of texts rather than for every text it takes.
    static constexpr int kRefill = 64;
    static constexpr qsizetype kLargestText = 8 * 1024 * 1024;
    // A run that is early for a text waits for this many texts at once (see waitFor).
    static constexpr int kStretch = 128;

    enum class Priority
    {
        // The threads share the processors like any other.
        Normal,
        // The caller's thread comes first: the threads take the time it leaves. For a run whose
        // own thread has work of its own (rows to add, a window to keep responsive).
        BehindCaller
    };

    enum class Validity
    {
        // An outcome stands only for the file in the state that was read; a file changed shortly
        // before or while it was read, or that could not be read, is left to the run, which
        // reads it again at its turn and reports what it meets there.
        UntilChanged,
        // Every outcome stands as it was worked out, a text being what it held when it was read,
        // whatever happens to the file later; a file that could not be read carries the message
        // of that failure. For a run over a snapshot of paths that no one edits meanwhile.
        Snapshot
    };

    // A run with event points of its own shares them in eventPoints: an outcome then stands at
    // its turn without a look at the file while nothing that may change files ran since the
    // reading began.
    ReadAhead(ScanRecipe recipe, QStringList paths, int threads = defaultReadAheadThreads(),
              Priority priority = Priority::Normal, Validity validity = Validity::UntilChanged,
              std::shared_ptr<const EventPoints> eventPoints = nullptr);
    // Stops the threads after the text each has in hand and waits for them.
    ~ReadAhead();
    // Tells the threads to stop soon, without waiting for them.
    void cancel();
    ReadAhead(const ReadAhead &) = delete;
    ReadAhead &operator=(const ReadAhead &) = delete;

    // Whether the outcome of text i is there, waited for at most wait: a run that must stay
    // responsive waits in slices. Texts are taken in order, so i is the next one to be taken.
    // A run that is early for text i sleeps until a stretch of texts from i on is ready and is
    // woken once for all of them: on a cold disk, where the texts come one by one, a wake for
    // every text cost the run's thread more than its work on the text.
    bool waitFor(int i, std::chrono::milliseconds wait);

    // The outcome of text i, waited for; null when the run must do text i itself. Texts are
    // taken in order, 0, 1, 2, ...; what is returned stays valid until the next call.
    const PreparedText *take(int i);

    // The outcome of text i, a text after the next one to be taken, when it is there already;
    // null otherwise. It stays valid until text i is taken. For a run that looks ahead at what
    // its next turns will need.
    const PreparedText *peek(int i) const;

private:
    struct Slot;
    class Worker;

    void work();
    bool waitForRoom(int i);
    // One thread at a time holds a large text; false when the run stops meanwhile.
    bool enterLargeText();
    void leaveLargeText();
    // Marks the slot of text i ready and wakes the run if it waits for that text.
    void publish(Slot &slot, int i);
    bool isReady(int i) const;
    // Sleeps until text i is ready or wait has passed; returns whether it is ready.
    bool sleepUntilReady(int i, std::chrono::milliseconds wait);
    void stop();

    const ScanRecipe m_recipe;
    const QStringList m_paths;
    const int m_count;
    const bool m_behindCaller;
    const bool m_snapshot;
    const std::shared_ptr<const EventPoints> m_eventPoints;
    std::unique_ptr<Slot[]> m_slots;
    std::vector<std::thread> m_threads;

    std::atomic<int> m_next{0};
    std::unique_ptr<ReadAdviser> m_adviser;
    // Texts before this one have been taken and their slots may be filled again.
    std::atomic<int> m_released{0};
    std::atomic<bool> m_stopping{false};
    std::atomic<int> m_waitingWorkers{0};
    std::atomic<bool> m_runWaiting{false};
    // The text whose readiness wakes the run.
    std::atomic<int> m_awaited{-1};
    std::mutex m_mutex;
    std::condition_variable m_roomOrStop;
    std::condition_variable m_ready;
    bool m_largeTextBusy = false;
    std::condition_variable m_largeTextFree;
};
