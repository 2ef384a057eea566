#include "search/readahead.h"

#include "errors/qvxerror.h"
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
    explicit Worker(ReadAhead &ahead)
        : m_ahead(ahead), m_loader(ahead.m_recipe.encoding), m_scan(ahead.m_recipe)
    {
        m_scan.setCancellation(&ahead.m_stopping);
        m_loader.setCancellation(&ahead.m_stopping);
        if (ahead.m_snapshot)
            m_loader.holdDirectories();
        // The size the file has when opened decides, which spares a look at it beforehand.
        m_loader.setOpenedHook([this](qint64 size) {
            if (size <= kLargestText)
                return;
            if (!m_ahead.enterLargeText())
                throw LoadCancelled();
            m_holdsLargeText = true;
        });
    }

    // Whether out now holds an outcome that the run may use.
    bool prepare(const QString &path, SourceEncoding encoding, PreparedText &out)
    {
        out.path = path;
        m_loader.setEncoding(encoding);
        const bool usable = prepareText(path, out);
        if (m_holdsLargeText) {
            m_holdsLargeText = false;
            m_loader.releaseLargeBuffers(kLargestText);
            m_ahead.leaveLargeText();
        }
        return usable && !m_ahead.m_stopping.load();
    }

private:
    bool prepareText(const QString &path, PreparedText &out)
    {
        out.failed = false;
        out.failure.clear();
        out.read = false;
        out.snapshot = m_ahead.m_snapshot;
        out.stillAtTurn = false;
        if (m_ahead.m_eventPoints)
            out.eventPointsBefore = m_ahead.m_eventPoints->passed();
        const qint64 readStart = m_ahead.m_snapshot ? 0 : fileClockNs();
        try {
            m_scan.prepare(m_loader, path, out);
        } catch (const LoadCancelled &) {
            return false;
        } catch (const QvxError &error) {
            // In a snapshot the failure is the text's outcome; otherwise the run reads the file
            // again at its turn and reports what it meets there.
            out.failed = true;
            out.failure = error.message();
            return m_ahead.m_snapshot;
        } catch (const std::exception &) {
            // Memory that ran out is met again at the text's turn, on the run's own thread.
            return false;
        }
        out.identity = m_loader.identity();
        out.read = true;
        return m_ahead.m_snapshot || settledBefore(out.identity, readStart);
    }

    ReadAhead &m_ahead;
    TextLoader m_loader;
    TextScan m_scan;
    bool m_holdsLargeText = false;
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

ReadAhead::ReadAhead(ScanRecipe recipe, QStringList paths, int threads, Priority priority,
                     Validity validity, std::shared_ptr<const EventPoints> eventPoints)
    : m_recipe(std::move(recipe)), m_paths(std::move(paths)), m_count(int(m_paths.size())),
      m_behindCaller(priority == Priority::BehindCaller),
      m_snapshot(validity == Validity::Snapshot), m_eventPoints(std::move(eventPoints)),
      m_slots(new Slot[kFilesAhead])
{
    threads = std::min(threads, m_count);
    // A single text is read on at once; there is nothing to ask for ahead of it.
    if (threads > 0 && m_count > 1)
        m_adviser = std::make_unique<ReadAdviser>(m_paths, m_next);
    try {
        for (int t = 0; t < threads; ++t)
            m_threads.emplace_back([this] { work(); });
    } catch (const std::system_error &) {
        // Fewer threads than asked for: the run does the texts that none of them takes.
        if (m_threads.empty())
            m_adviser.reset();
    }
}

ReadAhead::~ReadAhead()
{
    stop();
}

void ReadAhead::cancel()
{
    m_stopping.store(true);
    if (m_adviser)
        m_adviser->cancel();
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
    }
    m_roomOrStop.notify_all();
    m_largeTextFree.notify_all();
}

void ReadAhead::stop()
{
    cancel();
    for (std::thread &thread : m_threads)
        thread.join();
}

void ReadAhead::work()
{
    if (m_behindCaller)
        yieldToCaller();
    Worker worker(*this);
    for (;;) {
        const int i = m_next.fetch_add(1);
        if (m_adviser)
            m_adviser->readerTook(i);
        if (i >= m_count || !waitForRoom(i))
            return;
        Slot &slot = m_slots[i % kFilesAhead];
        slot.usable = worker.prepare(m_paths.at(i), m_recipe.encodingOf(i), slot.text);
        publish(slot, i);
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

void ReadAhead::publish(Slot &slot, int i)
{
    slot.ready.store(true);
    if (m_runWaiting.load() && m_awaited.load() == i) {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
        }
        m_ready.notify_all();
    }
}

bool ReadAhead::enterLargeText()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_largeTextFree.wait(lock, [this] { return !m_largeTextBusy || m_stopping.load(); });
    if (m_stopping.load())
        return false;
    m_largeTextBusy = true;
    return true;
}

void ReadAhead::leaveLargeText()
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_largeTextBusy = false;
    }
    m_largeTextFree.notify_one();
}

bool ReadAhead::waitFor(int i, std::chrono::milliseconds wait)
{
    if (i >= m_count || m_threads.empty())
        return true;
    if (isReady(i))
        return true;
    const int last = std::min(i + kStretch, m_count) - 1;
    sleepUntilReady(isReady(last) ? i : last, wait);
    return isReady(i);
}

bool ReadAhead::isReady(int i) const
{
    return m_slots[i % kFilesAhead].ready.load();
}

bool ReadAhead::sleepUntilReady(int i, std::chrono::milliseconds wait)
{
    m_awaited.store(i);
    m_runWaiting.store(true);
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_ready.wait_for(lock, wait, [this, i] { return isReady(i); });
    }
    m_runWaiting.store(false);
    return isReady(i);
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
        m_awaited.store(i);
        m_runWaiting.store(true);
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_ready.wait(lock, [&slot] { return slot.ready.load(); });
        }
        m_runWaiting.store(false);
    }
    if (!slot.usable)
        return nullptr;
    slot.text.stillAtTurn = m_eventPoints && m_eventPoints->stillSince(slot.text.eventPointsBefore);
    return &slot.text;
}

const PreparedText *ReadAhead::peek(int i) const
{
    const int released = m_released.load();
    if (i <= released || i >= m_count || i >= released + kFilesAhead)
        return nullptr;
    const Slot &slot = m_slots[i % kFilesAhead];
    return slot.ready.load() && slot.usable ? &slot.text : nullptr;
}
