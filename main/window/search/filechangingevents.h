#pragma once

#include <QObject>

class EventPoints;

// Watches every event of the application while a search run lasts and tells the run's event
// points of each one that may start work that changes files. Drawing, layout, the item views' own
// timers and the pointer moving over the widgets reach no such work; every other event may, also
// one that no window of this program handles today.
class FileChangingEvents : public QObject
{
public:
    explicit FileChangingEvents(EventPoints &points);
    ~FileChangingEvents() override;
    FileChangingEvents(const FileChangingEvents &) = delete;
    FileChangingEvents &operator=(const FileChangingEvents &) = delete;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    EventPoints &m_points;
};
