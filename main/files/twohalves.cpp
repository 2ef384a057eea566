#include "files/twohalves.h"

#ifdef Q_OS_LINUX
#include <pthread.h>
#include <sched.h>
#endif

void keepApartFromCaller(std::thread &thread)
{
#ifdef Q_OS_LINUX
    cpu_set_t allowed;
    if (::sched_getaffinity(0, sizeof allowed, &allowed) != 0)
        return;
    const int here = ::sched_getcpu();
    if (here < 0 || here >= CPU_SETSIZE || !CPU_ISSET(here, &allowed))
        return;
    CPU_CLR(here, &allowed);
    // Fails harmlessly: the thread then runs wherever the system puts it.
    if (CPU_COUNT(&allowed) > 0)
        ::pthread_setaffinity_np(thread.native_handle(), sizeof allowed, &allowed);
#else
    Q_UNUSED(thread);
#endif
}
