#include "interruption.h"

#include <csignal>
#include <signal.h>

namespace {

volatile std::sig_atomic_t interruptFlag = 0;

extern "C" void onInterrupt(int)
{
    interruptFlag = 1;
}

} // namespace

void installInterruptionHandlers()
{
    struct sigaction action = {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    // A service manager or kill stops the run the way Ctrl-C does, without a half-written file.
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

bool interrupted()
{
    return interruptFlag != 0;
}
