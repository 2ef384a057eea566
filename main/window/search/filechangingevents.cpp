#include "window/search/filechangingevents.h"

#include "search/eventpoints.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QEvent>
#include <utility>

namespace {

bool changesNoFile(const QObject *watched, const QEvent *event)
{
    switch (event->type()) {
    case QEvent::Paint:
    case QEvent::UpdateRequest:
    case QEvent::UpdateLater:
    case QEvent::LayoutRequest:
    case QEvent::Polish:
    case QEvent::PolishRequest:
    case QEvent::ChildAdded:
    case QEvent::ChildPolished:
    case QEvent::ChildRemoved:
    case QEvent::DynamicPropertyChange:
    case QEvent::Resize:
    case QEvent::Move:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
    case QEvent::Expose:
    case QEvent::StyleChange:
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::EnabledChange:
    case QEvent::ZOrderChange:
    case QEvent::Enter:
    case QEvent::Leave:
    case QEvent::HoverEnter:
    case QEvent::HoverLeave:
    case QEvent::HoverMove:
    case QEvent::MouseMove:
        return true;
    case QEvent::Timer:
        // An item view's own timers lay out, scroll and draw it, many times in a run; other
        // timers may call whatever they were given, as a timer object or a button's auto-repeat.
        return qobject_cast<const QAbstractItemView *>(watched) != nullptr;
    default:
        return false;
    }
}

} // namespace

FileChangingEvents::FileChangingEvents(EventPoints &points) : m_points(points)
{
    QCoreApplication::instance()->installEventFilter(this);
}

FileChangingEvents::~FileChangingEvents()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

void FileChangingEvents::setBeforeWork(std::function<void()> beforeWork)
{
    m_beforeWork = std::move(beforeWork);
}

bool FileChangingEvents::eventFilter(QObject *watched, QEvent *event)
{
    if (!changesNoFile(watched, event)) {
        m_points.mayChangeFiles();
        if (m_beforeWork)
            m_beforeWork();
    }
    return QObject::eventFilter(watched, event);
}
