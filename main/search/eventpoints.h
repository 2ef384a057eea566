#pragma once

#include <QtGlobal>
#include <atomic>

// The event points of a run, where its own thread lets other work run, and whether that work may
// have changed files. Nothing else on the run's thread writes files, so a text whose reading
// began after an event point, with nothing since that may have changed a file, holds at its turn
// what a read there would give: a change by another program meanwhile is not ordered against the
// run and stands for one just after the turn. Such a turn needs no look at the file.
class EventPoints
{
public:
    // Any thread: the event points passed so far, taken before a reading begins.
    quint64 passed() const { return m_passed.load(std::memory_order_acquire); }

    // The run's thread, as work that may change files begins. It counts against every reading
    // that began before the next event point is passed.
    void mayChangeFiles() { m_lastStirred = m_passedHere + 1; }
    // The run's thread, once the events of an event point have run.
    void pass() { m_passed.store(++m_passedHere, std::memory_order_release); }

    // The run's thread: whether nothing that may change files ran since passed() gave seen.
    bool stillSince(quint64 seen) const { return m_lastStirred <= seen; }

private:
    std::atomic<quint64> m_passed{0};
    quint64 m_passedHere = 0;
    quint64 m_lastStirred = 0;
};
