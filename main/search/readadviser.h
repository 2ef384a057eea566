#pragma once

#include <QStringList>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

// Asks the kernel to bring the next texts of a run into the page cache while the run's readers
// are still busy with earlier ones, so that on a cold disk several reads are under way at once
// instead of one per reader. It keeps at most kTextsAhead texts ahead of the readers and asks for
// no more than kBytesPerText of each, which bounds the page cache a run claims ahead of its
// reading. Its thread runs at the lowest priority: with the texts cached the readers keep the
// processors busy and it barely runs, on a cold disk they wait and it has the processors.
class ReadAdviser
{
public:
    static constexpr int kTextsAhead = 64;
    // It sleeps until this many texts are read since it found no room.
    static constexpr int kRefill = 16;
    static constexpr qint64 kBytesPerText = qint64(1) << 20;
    // After this many texts in a row that were cached already, only every kProbeStep-th text is
    // looked at, and the step doubles with every further cached one up to kLongestStep.
    static constexpr int kCachedRun = 16;
    static constexpr int kProbeStep = 16;
    static constexpr int kLongestStep = 256;

    // readersNext is the next text a reader will take; it must outlive the adviser.
    ReadAdviser(QStringList paths, const std::atomic<int> &readersNext);
    // Stops the thread and waits for it.
    ~ReadAdviser();
    ReadAdviser(const ReadAdviser &) = delete;
    ReadAdviser &operator=(const ReadAdviser &) = delete;

    // Tells the thread to stop soon, without waiting for it.
    void cancel();
    // Called by a reader after it took text i.
    void readerTook(int i);

private:
    void run();
    bool waitForRoom(int i);

    const QStringList m_paths;
    const std::atomic<int> &m_readersNext;
    std::atomic<bool> m_stopping{false};
    std::atomic<bool> m_waiting{false};
    // The first text whose taking wakes the sleeping adviser.
    std::atomic<int> m_wakeAt{0};
    std::mutex m_mutex;
    std::condition_variable m_roomOrStop;
    std::thread m_thread;
};
