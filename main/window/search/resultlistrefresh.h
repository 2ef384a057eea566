#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <functional>

class QAbstractItemView;
class QWidget;

// Runs the event loop for the search run while holding back the drawing of what the run changes
// with every file (the result list, the hit counter, the progress bar) between refreshes. A list
// view lays out every row again and repaints after each insertion once the event loop runs, which
// costs time in proportion to the rows found so far; done after every second file it made a run
// over many files quadratic, and redrawing the counter and the bar that often cost more than
// reading the file. Every other event is processed as before; the picture is brought up to date
// at most every refresh interval, which grows with the cost of a refresh, after the run has put
// what it holds back into the widgets.
class ResultListRefresh : public QObject
{
public:
    // The widgets in counters are held back as well; they are only drawn, never laid out.
    // beforeDrawing brings the list and the counters up to date before each refresh.
    ResultListRefresh(QAbstractItemView *list, QList<QWidget *> counters,
                      std::function<void()> beforeDrawing);
    ~ResultListRefresh() override;
    ResultListRefresh(const ResultListRefresh &) = delete;
    ResultListRefresh &operator=(const ResultListRefresh &) = delete;

    // Processes all pending events of the application.
    void processEvents();
    // Stops holding back, so that a box shown now stands over the list, the counter and the bar
    // as they are.
    void release();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void holdBack(bool hold);
    // Draws the list and the counters at once. The window's update request may come only after
    // the next round of events, when the drawing is held back again.
    void drawNow();

    QAbstractItemView *m_list;
    QList<QWidget *> m_counters;
    std::function<void()> m_beforeDrawing;
    QElapsedTimer m_sinceRefresh;
    qint64 m_intervalMs;
    bool m_holding = false;
};
