#pragma once

#include <QElapsedTimer>
#include <QMetaObject>

// Measures the longest stretch in which the event loop did not run. It listens to the event
// dispatcher's signal that a round of event processing begins, so probing adds no event, timer or
// wake-up of its own to the rounds it measures.
class EventGapProbe
{
public:
    ~EventGapProbe();

    void start();
    // Stops probing and returns the longest gap in milliseconds, the stretch up to now included.
    double stop();

private:
    void note();

    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
    QMetaObject::Connection m_connection;
};
