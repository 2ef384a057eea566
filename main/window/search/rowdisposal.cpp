#include "window/search/rowdisposal.h"

#include <QItemSelectionModel>
#include <QTreeWidget>

namespace {

// About a millisecond of deleting.
constexpr qsizetype kSlice = 2048;

} // namespace

RowDisposal::RowDisposal(QObject *parent) : QObject(parent)
{
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &RowDisposal::deleteSlice);
}

RowDisposal::~RowDisposal()
{
    qDeleteAll(m_rows);
}

void RowDisposal::takeRows(QTreeWidget *list)
{
    // As clear() does: the selection and the current row go first, with their signals.
    list->selectionModel()->clear();
    m_rows += list->invisibleRootItem()->takeChildren();
    if (m_runs == 0 && !m_rows.isEmpty())
        m_timer.start();
}

void RowDisposal::deleteSlice()
{
    const qsizetype from = qMax<qsizetype>(0, m_rows.size() - kSlice);
    qDeleteAll(m_rows.cbegin() + from, m_rows.cend());
    m_rows.resize(from);
    if (m_rows.isEmpty())
        m_timer.stop();
}

void RowDisposal::runStarts()
{
    ++m_runs;
    m_timer.stop();
}

void RowDisposal::runEnds()
{
    --m_runs;
    if (m_runs == 0 && !m_rows.isEmpty())
        m_timer.start();
}
