#pragma once

#include <QElapsedTimer>
#include <QObject>

class QAbstractItemView;

// Runs the event loop for the search run while holding back the result list's own layout and
// repainting between refreshes. A list view lays out every row again and repaints after each
// insertion once the event loop runs, which costs time in proportion to the rows found so far;
// done after every second file it made a run over many files quadratic. The rows themselves are
// in the list at once, and every other event is processed as before; only the picture of the list
// is brought up to date at most every refresh interval, which grows with the cost of a refresh.
class ResultListRefresh : public QObject
{
public:
    explicit ResultListRefresh(QAbstractItemView *list);
    ~ResultListRefresh() override;
    ResultListRefresh(const ResultListRefresh &) = delete;
    ResultListRefresh &operator=(const ResultListRefresh &) = delete;

    // Processes all pending events of the application.
    void processEvents();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void holdBack(bool hold);

    QAbstractItemView *m_list;
    QElapsedTimer m_sinceRefresh;
    qint64 m_intervalMs;
    bool m_holding = false;
};
