#pragma once

#include <QElapsedTimer>
#include <QObject>

// Measures the longest stretch in which the event loop did not run: a posted event that posts
// itself again each time it is delivered, so it is delivered once per round of event processing.
class EventGapProbe : public QObject
{
public:
    void start();
    // Stops probing and returns the longest gap in milliseconds, the stretch up to now included.
    double stop();

protected:
    bool event(QEvent *event) override;

private:
    void note();

    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
    bool m_running = false;
};
