#pragma once

// Lowers the calling thread's priority, so that it takes the processor time that the others at
// the process's priority leave (on Linux the nice value belongs to the thread). Fails harmlessly
// where the system does not allow it.
void yieldToOtherThreads();
