#include "threadcpu.h"

#include <ctime>

qint64 threadCpuNs()
{
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + qint64(now.tv_nsec);
}
