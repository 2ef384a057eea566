#include "search/readadviser.h"

#include "text/nativepath.h"

#include <algorithm>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/uio.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace {

// Advises the text unless its start is in the page cache already; returns whether it was.
bool adviseWillNeed(const char *nativePath)
{
    // Not blocking: a pipe without a writer would hold the thread for ever.
    const int fd = ::open(nativePath, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    // A read that must not wait for the disk fails with EAGAIN unless the page is cached.
    char byte;
    iovec vector{&byte, 1};
    const bool cached = ::preadv2(fd, &vector, 1, 0, RWF_NOWAIT) >= 0;
    // Fails harmlessly for whatever is not a regular file.
    if (!cached)
        ::posix_fadvise(fd, 0, ReadAdviser::kBytesPerText, POSIX_FADV_WILLNEED);
    ::close(fd);
    return cached;
}

} // namespace

ReadAdviser::ReadAdviser(QStringList paths, const std::atomic<int> &readersNext)
    : m_paths(std::move(paths)), m_readersNext(readersNext)
{
    try {
        m_thread = std::thread([this] { run(); });
    } catch (const std::system_error &) {
        // Without the thread the readers read as they would without advice.
    }
}

ReadAdviser::~ReadAdviser()
{
    cancel();
    if (m_thread.joinable())
        m_thread.join();
}

void ReadAdviser::cancel()
{
    m_stopping.store(true);
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
    }
    m_roomOrStop.notify_all();
}

// As with the read-ahead's threads, the flag m_waiting spares the readers the mutex while the
// adviser does not sleep: it sets the flag before it looks at the readers' progress, a reader
// moves the progress on before it looks at the flag.
void ReadAdviser::readerTook(int i)
{
    if (i < m_wakeAt.load() || !m_waiting.load())
        return;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
    }
    m_roomOrStop.notify_all();
}

void ReadAdviser::run()
{
    ::setpriority(PRIO_PROCESS, ::gettid(), 19);
    NativePathBuffer path;
    const int count = int(m_paths.size());
    int cachedInARow = 0;
    int step = 1;
    for (int i = 0; i < count; i += step) {
        // A text that a reader has begun needs no advice.
        i = std::max(i, m_readersNext.load());
        if (i >= count || !waitForRoom(i))
            return;
        // With the texts cached, advice only takes processor time from the readers: after a run
        // of cached texts ever fewer are looked at, until one is not cached.
        if (!adviseWillNeed(path.encode(m_paths.at(i)))) {
            cachedInARow = 0;
            step = 1;
        } else if (++cachedInARow >= kCachedRun) {
            step = step < kProbeStep ? kProbeStep : std::min(2 * step, kLongestStep);
        }
    }
}

bool ReadAdviser::waitForRoom(int i)
{
    if (i < m_readersNext.load() + kTextsAhead)
        return !m_stopping.load();
    const int wakeAt = i - kTextsAhead + kRefill;
    const auto roomOrStop = [this, wakeAt] {
        return m_stopping.load() || m_readersNext.load() > wakeAt;
    };
    m_wakeAt.store(wakeAt);
    m_waiting.store(true);
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_roomOrStop.wait(lock, roomOrStop);
    }
    m_waiting.store(false);
    return !m_stopping.load();
}
