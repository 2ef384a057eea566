#pragma once

#include <QtGlobal>

// The processor time the calling thread has used so far, in nanoseconds. A search through the
// window runs on the window's thread from the click to its end, so the difference around the click
// is what the window's own thread spent, apart from the threads that read ahead.
qint64 threadCpuNs();
