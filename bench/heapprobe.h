#pragma once

#include <QElapsedTimer>
#include <QMetaObject>
#include <QtGlobal>

// Bytes the allocator has handed out and not taken back, or -1 where the C library does not
// tell (it does with glibc). Unlike the resident memory, this falls again when memory is freed.
qint64 heapBytesInUse();

// The most heap in use at rounds of event processing between start and stop, asked at most every
// 20 ms. Asking walks the allocator's lists and takes long on a large heap, so the probe belongs in
// runs that are not timed. A search keeps its loading buffers for the whole run, so they are in use
// at every round.
class HeapPeakProbe
{
public:
    ~HeapPeakProbe();

    void start();
    // Stops probing and returns the peak in bytes, the present use included, or -1.
    qint64 stop();

private:
    void note();

    qint64 m_peak = -1;
    QElapsedTimer m_sinceSample;
    QMetaObject::Connection m_connection;
};
