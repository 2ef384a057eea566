#pragma once

#include <QList>

class QTreeWidget;
class QTreeWidgetItem;

// The rows a search run has found that the result list does not hold yet. Inserting them one by
// one made the list's model announce every row, and woke the list's layout timer at every round
// of the event loop; the run hands them over together whenever someone may look at the list.
class HeldRows
{
public:
    explicit HeldRows(QTreeWidget *list);
    HeldRows(const HeldRows &) = delete;
    HeldRows &operator=(const HeldRows &) = delete;

    // Takes ownership of row.
    void add(QTreeWidgetItem *row);
    // Appends the held rows to the list, in the order they were added. Returns whether there were
    // any.
    bool release();

private:
    QTreeWidget *m_list;
    QList<QTreeWidgetItem *> m_rows;
};
