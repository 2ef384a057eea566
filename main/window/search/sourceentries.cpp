#include "window/search/sourceentries.h"

#include "window/sources/itempaths.h"

#include <QAbstractItemModel>
#include <QListWidget>

SourceEntries::SourceEntries(QListWidget *box) : m_box(box)
{
    const int n = box->count();
    m_paths.reserve(n);
    m_encodings.reserve(n);
    for (int i = 0; i < n; ++i) {
        m_paths.append(sourcePath(box->item(i)));
        m_encodings.append(sourceEncoding(box->item(i)));
    }
    // Every change of an item's text or data, and every insertion, removal or reordering of
    // items, reaches the model's views through one of these signals.
    const QAbstractItemModel *model = box->model();
    const auto changed = [this] { m_changed = true; };
    connect(model, &QAbstractItemModel::dataChanged, this, changed);
    connect(model, &QAbstractItemModel::rowsInserted, this, changed);
    connect(model, &QAbstractItemModel::rowsRemoved, this, changed);
    connect(model, &QAbstractItemModel::rowsMoved, this, changed);
    connect(model, &QAbstractItemModel::layoutChanged, this, changed);
    connect(model, &QAbstractItemModel::modelReset, this, changed);
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
