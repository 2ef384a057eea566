#pragma once

#include <QList>
#include <QObject>
#include <QTimer>

class QTreeWidget;
class QTreeWidgetItem;

// Takes the rows of the last search out of the result list at once and deletes them a slice at a
// time. Deleting the 259,000 rows of a search over a million sources takes 80-190 ms, which at the
// start of the next search held up the window; taking them out of the list takes a tenth of that.
// During a run the run deletes a slice at each of its event points; between runs a timer does. A
// run stops the timer: it counts every timer that is not a view's as an event that may change
// files.
class RowDisposal : public QObject
{
public:
    explicit RowDisposal(QObject *parent);
    ~RowDisposal() override;
    RowDisposal(const RowDisposal &) = delete;
    RowDisposal &operator=(const RowDisposal &) = delete;

    // Empties list as QTreeWidget::clear() does, keeping its rows to be deleted.
    void takeRows(QTreeWidget *list);
    // Deletes the next slice of the rows taken.
    void deleteSlice();
    // While a run lasts the timer waits.
    void runStarts();
    void runEnds();

private:
    QList<QTreeWidgetItem *> m_rows;
    QTimer m_timer;
    int m_runs = 0;
};
