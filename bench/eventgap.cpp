#include "eventgap.h"

#include <QCoreApplication>
#include <QEvent>
#include <algorithm>

namespace {

const QEvent::Type kProbe = QEvent::Type(QEvent::User + 17);

} // namespace

void EventGapProbe::start()
{
    m_clock.start();
    m_last = 0;
    m_longest = 0;
    m_running = true;
    QCoreApplication::postEvent(this, new QEvent(kProbe));
}

double EventGapProbe::stop()
{
    note();
    m_running = false;
    QCoreApplication::removePostedEvents(this, kProbe);
    return double(m_longest) / 1e6;
}

void EventGapProbe::note()
{
    const qint64 now = m_clock.nsecsElapsed();
    m_longest = std::max(m_longest, now - m_last);
    m_last = now;
}

bool EventGapProbe::event(QEvent *event)
{
    if (event->type() != kProbe)
        return QObject::event(event);
    if (m_running) {
        note();
        QCoreApplication::postEvent(this, new QEvent(kProbe));
    }
    return true;
}
