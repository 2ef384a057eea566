#include "window/search/sourceentries.h"

#include "window/sources/itempaths.h"

#include <QAbstractItemModel>
#include <QElapsedTimer>
#include <QListWidget>

SourceEntries::SourceEntries(QListWidget *box, QObject *parent) : QObject(parent), m_box(box)
{
    // Every change of an item's text or data, and every insertion, removal or reordering of
    // items, reaches the model's views through one of these signals. The entries read before are
    // given back at once: a run holds its own copy.
    const QAbstractItemModel *model = box->model();
    const auto changed = [this] {
        m_changed = true;
        m_paths = QStringList();
        m_encodings = QList<SourceEncoding>();
    };
    connect(model, &QAbstractItemModel::dataChanged, this, changed);
    connect(model, &QAbstractItemModel::rowsInserted, this, changed);
    connect(model, &QAbstractItemModel::rowsRemoved, this, changed);
    connect(model, &QAbstractItemModel::rowsMoved, this, changed);
    connect(model, &QAbstractItemModel::layoutChanged, this, changed);
    connect(model, &QAbstractItemModel::modelReset, this, changed);
}

void SourceEntries::readChanged(std::chrono::milliseconds slice,
                                const std::function<void()> &letEventsRun)
{
    // The clock is looked at only every so many entries.
    constexpr int kEntriesBetweenLooks = 4096;
    QElapsedTimer sinceEvents;
    sinceEvents.start();
    while (m_changed) {
        // Set again, and the entries read so far given back, by a change while events run.
        m_changed = false;
        const int n = m_box->count();
        m_paths.reserve(n);
        m_encodings.reserve(n);
        for (int i = 0; i < n; ++i) {
            if (i % kEntriesBetweenLooks == 0 && sinceEvents.elapsed() >= slice.count()) {
                letEventsRun();
                sinceEvents.restart();
                if (m_changed)
                    break;
            }
            const QListWidgetItem *item = m_box->item(i);
            m_paths.append(sourcePath(item));
            m_encodings.append(sourceEncoding(item));
        }
    }
}

int SourceEntries::count() const
{
    return m_changed ? m_box->count() : int(m_paths.size());
}

QString SourceEntries::at(int i) const
{
    return m_changed ? sourcePath(m_box->item(i)) : m_paths.at(i);
}

SourceEncoding SourceEntries::encodingAt(int i) const
{
    return m_changed ? sourceEncoding(m_box->item(i)) : m_encodings.at(i);
}
