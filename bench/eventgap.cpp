#include "eventgap.h"

#include <QAbstractEventDispatcher>
#include <QObject>
#include <algorithm>

EventGapProbe::~EventGapProbe()
{
    QObject::disconnect(m_connection);
}

void EventGapProbe::start()
{
    QObject::disconnect(m_connection);
    m_clock.start();
    m_last = 0;
    m_longest = 0;
    m_connection = QObject::connect(QAbstractEventDispatcher::instance(),
                                    &QAbstractEventDispatcher::awake, [this] { note(); });
}

double EventGapProbe::stop()
{
    note();
    QObject::disconnect(m_connection);
    return double(m_longest) / 1e6;
}

void EventGapProbe::note()
{
    const qint64 now = m_clock.nsecsElapsed();
    m_longest = std::max(m_longest, now - m_last);
    m_last = now;
}
