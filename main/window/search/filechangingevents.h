#pragma once

#include <QObject>
#include <functional>

class EventPoints;

// Watches every event of the application while a search run lasts and tells the run's event
// points of each one that may start work that changes files. Drawing, layout, the item views' own
// timers and the pointer moving over the widgets reach no such work; every other event may, also
// one that no window of this program handles today. Such work may also read what the run shows,
// so the run can bring that up to date before the event is delivered.
class FileChangingEvents : public QObject
{
public:
    explicit FileChangingEvents(EventPoints &points);
    ~FileChangingEvents() override;
    FileChangingEvents(const FileChangingEvents &) = delete;
    FileChangingEvents &operator=(const FileChangingEvents &) = delete;

    // Called before each event that may start work; an empty function calls nothing.
    void setBeforeWork(std::function<void()> beforeWork);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    EventPoints &m_points;
    std::function<void()> m_beforeWork;
};
