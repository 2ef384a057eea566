#include "search/readahead.h"

#include "files/textloading.h"
#include "search/textscan.h"

#include <algorithm>
#include <exception>
#include <sys/resource.h>
#include <system_error>
#include <unistd.h>
#include <utility>

struct ReadAhead::Slot
{
    std::atomic<bool> ready{false};
    bool usable = false;
    PreparedText text;
};

// The work of one thread, with loader, patterns and match data of its own.
class ReadAhead::Worker
{
public:
    Worker(const ScanRecipe &recipe, const std::atomic<bool> &stopping)
        : m_loader(recipe.encoding, kLargestText), m_scan(recipe)
    {
        m_scan.setCancellation(&stopping);
    }

    // Whether out now holds an outcome that the run may use.
    bool prepare(const QString &path, PreparedText &out)
    {
        out.path = path;
        const qint64 readStart = fileClockNs();
        try {
            m_scan.prepare(m_loader, path, out);
        } catch (const std::exception &) {
            // Whatever keeps a text from being prepared ahead (a read error, its size, its
            // budget, memory) is met again at its turn on the run's own thread, which reports it.
            return false;
        }
        out.identity = m_loader.identity();
        return settledBefore(out.identity, readStart);
    }

private:
    TextLoader m_loader;
    TextScan m_scan;
};

namespace {

constexpr int kSpins = 64;

// Lowers the calling thread's priority (on Linux the nice value belongs to the thread). Fails
// harmlessly where the system does not allow it.
void yieldToCaller()
{
    const int current = ::getpriority(PRIO_PROCESS, 0);
    ::setpriority(PRIO_PROCESS, ::gettid(), std::min(current + 10, 19));
}

} // namespace

int defaultReadAheadThreads()
{
    return int(std::max(1U, std::thread::hardware_concurrency()));
}

ReadAhead::ReadAhead(ScanRecipe recipe, QStringList paths, int threads, Priority priority)
    : m_recipe(std::move(recipe)), m_paths(std::move(paths)), m_count(int(m_paths.size())),
      m_behindCaller(priority == Priority::BehindCaller), m_slots(new Slot[kFilesAhead])
{
    threads = std::min(threads, m_count);
    try {
        for (int t = 0; t < threads; ++t)
            m_threads.emplace_back([this] { work(); });
    } catch (const std::system_error &) {
        // Fewer threads than asked for: the run does the texts that none of them takes.
        if (m_threads.empty())
            return;
    }
}

ReadAhead::~ReadAhead()
{
    stop();
}

void ReadAhead::stop()
{
    m_stopping.store(true);
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
    }
    m_roomOrStop.notify_all();
    for (std::thread &thread : m_threads)
        thread.join();
}

void ReadAhead::work()
{
    if (m_behindCaller)
        yieldToCaller();
    Worker worker(m_recipe, m_stopping);
    for (;;) {
        const int i = m_next.fetch_add(1);
        if (i >= m_count || !waitForRoom(i))
            return;
        Slot &slot = m_slots[i % kFilesAhead];
        slot.usable = worker.prepare(m_paths.at(i), slot.text);
        publish(slot);
    }
}

// The flags m_waitingWorkers and m_runWaiting spare the mutex whenever no one sleeps: a sleeper
// sets its flag before it looks at its condition, the other side changes the condition before it
// looks at the flag, so one of the two always sees the other.
bool ReadAhead::waitForRoom(int i)
{
    if (i < m_released.load() + kFilesAhead)
        return !m_stopping.load();
    const auto roomOrStop = [this, i] {
        return m_stopping.load() || i < m_released.load() + kFilesAhead - kRefill;
    };
    m_waitingWorkers.fetch_add(1);
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_roomOrStop.wait(lock, roomOrStop);
    }
    m_waitingWorkers.fetch_sub(1);
    return !m_stopping.load();
}

void ReadAhead::publish(Slot &slot)
{
    slot.ready.store(true);
    if (m_runWaiting.load()) {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
        }
        m_ready.notify_all();
    }
}

const PreparedText *ReadAhead::take(int i)
{
    if (i > 0)
        m_slots[(i - 1) % kFilesAhead].ready.store(false);
    m_released.store(i);
    // A sleeping thread waits for kRefill free slots; every stretch of that many texts holds a
    // multiple of kRefill, where it is woken.
    if (i % kRefill == 0 && m_waitingWorkers.load() > 0) {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
        }
        m_roomOrStop.notify_all();
    }
    if (i >= m_count || m_threads.empty())
        return nullptr;

    Slot &slot = m_slots[i % kFilesAhead];
    // A text is often only a few microseconds away; going to sleep and being woken costs more.
    for (int spin = 0; spin < kSpins && !slot.ready.load(); ++spin)
        std::this_thread::yield();
    if (!slot.ready.load()) {
        m_runWaiting.store(true);
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_ready.wait(lock, [&slot] { return slot.ready.load(); });
        }
        m_runWaiting.store(false);
    }
    return slot.usable ? &slot.text : nullptr;
}
