#include "search/threadpriority.h"

#include <algorithm>
#include <sys/resource.h>
#include <unistd.h>

void yieldToOtherThreads()
{
    const int current = ::getpriority(PRIO_PROCESS, 0);
    ::setpriority(PRIO_PROCESS, ::gettid(), std::min(current + 10, 19));
}
