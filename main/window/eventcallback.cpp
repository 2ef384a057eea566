#include "window/eventcallback.h"

#include <utility>

EventCallback::EventCallback(QObject *watched, QEvent::Type type,
                             std::function<void(QEvent *)> callback)
    : QObject(watched), m_type(type), m_callback(std::move(callback))
{
    watched->installEventFilter(this);
}

bool EventCallback::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == m_type)
        m_callback(event);
    return QObject::eventFilter(watched, event);
}
