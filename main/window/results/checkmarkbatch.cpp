#include "window/results/checkmarkbatch.h"

#include <QAbstractItemModel>
#include <QTreeWidget>

CheckMarkBatch::CheckMarkBatch(QTreeWidget *files) : m_files(files), m_blocked(files->model()) {}

CheckMarkBatch::~CheckMarkBatch()
{
    m_blocked.unblock();
    QAbstractItemModel *model = m_files->model();
    const int rows = model->rowCount();
    if (rows > 0)
        emit model->dataChanged(model->index(0, 0), model->index(rows - 1, 0),
                                {Qt::CheckStateRole});
}
