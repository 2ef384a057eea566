#include "window/search/heldrows.h"

#include <QTreeWidget>
#include <utility>

HeldRows::HeldRows(QTreeWidget *list) : m_list(list) {}

void HeldRows::add(QTreeWidgetItem *row)
{
    m_rows.append(row);
}

bool HeldRows::release()
{
    if (m_rows.isEmpty())
        return false;
    // Taken out first: the list's signals may run handlers that come back here.
    const QList<QTreeWidgetItem *> rows = std::exchange(m_rows, {});
    m_list->addTopLevelItems(rows);
    return true;
}
