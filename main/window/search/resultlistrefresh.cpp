#include "window/search/resultlistrefresh.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QEvent>
#include <algorithm>
#include <utility>

namespace {

// Fast enough that the growing list still looks live.
constexpr qint64 kShortestIntervalMs = 100;
// A refresh lays out every row of the list again, so on a long list it may take at most this
// share of the run's time.
constexpr qint64 kIntervalPerRefreshCost = 16;

} // namespace

ResultListRefresh::ResultListRefresh(QAbstractItemView *list, QList<QWidget *> counters,
                                     std::function<void()> beforeDrawing)
    : m_list(list), m_counters(std::move(counters)), m_beforeDrawing(std::move(beforeDrawing)),
      m_intervalMs(kShortestIntervalMs)
{
    m_list->installEventFilter(this);
    m_sinceRefresh.start();
    holdBack(true);
}

ResultListRefresh::~ResultListRefresh()
{
    m_list->removeEventFilter(this);
    // Brings the list up to date when the event loop next runs.
    holdBack(false);
}

void ResultListRefresh::processEvents()
{
    if (m_sinceRefresh.elapsed() < m_intervalMs) {
        QCoreApplication::processEvents();
        return;
    }
    QElapsedTimer refresh;
    refresh.start();
    m_beforeDrawing();
    holdBack(false);
    QCoreApplication::processEvents();
    drawNow();
    holdBack(true);
    m_intervalMs = std::max(kShortestIntervalMs, kIntervalPerRefreshCost * refresh.elapsed());
    m_sinceRefresh.restart();
}

void ResultListRefresh::release()
{
    m_beforeDrawing();
    holdBack(false);
    drawNow();
}

void ResultListRefresh::drawNow()
{
    m_list->repaint();
    for (QWidget *counter : m_counters)
        counter->repaint();
}

void ResultListRefresh::holdBack(bool hold)
{
    m_holding = hold;
    m_list->setUpdatesEnabled(!hold);
    for (QWidget *counter : m_counters)
        counter->setUpdatesEnabled(!hold);
}

bool ResultListRefresh::eventFilter(QObject *watched, QEvent *event)
{
    // The view lays its rows out on a timer of its own; a timer held back fires again at the next
    // round of the event loop, so nothing is lost, only put off. Other timers of the view (auto
    // scrolling, delayed editing) wait at most one refresh interval.
    if (m_holding && watched == m_list && event->type() == QEvent::Timer)
        return true;
    return QObject::eventFilter(watched, event);
}
