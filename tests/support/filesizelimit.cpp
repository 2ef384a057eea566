#include "filesizelimit.h"

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>

namespace {

// Without this the kernel ends the process instead of failing the write.
void ignoreFileSizeSignal(bool ignore)
{
    std::signal(SIGXFSZ, ignore ? SIG_IGN : SIG_DFL);
}

} // namespace

FileSizeLimit::FileSizeLimit(qint64 bytes)
{
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) != 0)
        return;
    m_previous = limit.rlim_cur;
    ignoreFileSizeSignal(true);
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    if (!m_active)
        ignoreFileSizeSignal(false);
}

FileSizeLimit::~FileSizeLimit()
{
    if (!m_active)
        return;
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(m_previous);
    setrlimit(RLIMIT_FSIZE, &limit);
    ignoreFileSizeSignal(false);
}

#else

FileSizeLimit::FileSizeLimit(qint64 /*bytes*/) {}
FileSizeLimit::~FileSizeLimit() = default;

#endif
