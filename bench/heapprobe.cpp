#include "heapprobe.h"

#include <QAbstractEventDispatcher>
#include <QObject>
#include <algorithm>

#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 33))
#include <malloc.h>

qint64 heapBytesInUse()
{
    const struct mallinfo2 info = mallinfo2();
    // Small blocks from the arena plus the large ones mapped on their own.
    return qint64(info.uordblks + info.hblkhd);
}
#else
qint64 heapBytesInUse()
{
    return -1;
}
#endif

HeapPeakProbe::~HeapPeakProbe()
{
    QObject::disconnect(m_connection);
}

void HeapPeakProbe::start()
{
    QObject::disconnect(m_connection);
    m_peak = heapBytesInUse();
    m_sinceSample.start();
    m_connection = QObject::connect(QAbstractEventDispatcher::instance(),
                                    &QAbstractEventDispatcher::awake, [this] {
                                        if (m_sinceSample.elapsed() >= 20)
                                            note();
                                    });
}

qint64 HeapPeakProbe::stop()
{
    note();
    QObject::disconnect(m_connection);
    return m_peak;
}

void HeapPeakProbe::note()
{
    m_peak = std::max(m_peak, heapBytesInUse());
    m_sinceSample.restart();
}
