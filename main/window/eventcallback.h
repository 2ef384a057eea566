#pragma once

#include <QEvent>
#include <QObject>
#include <functional>

// Calls back for every event of one type that reaches the watched object, before the object
// handles it itself. Lives as long as the watched object.
class EventCallback : public QObject
{
public:
    EventCallback(QObject *watched, QEvent::Type type, std::function<void(QEvent *)> callback);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QEvent::Type m_type;
    std::function<void(QEvent *)> m_callback;
};
