#pragma once

#include <QSignalBlocker>

class QTreeWidget;

// Lets many check marks of the result list change as one update. The list announces every
// single change otherwise, and each announcement looks the row up by walking the list, so that
// setting the marks of all rows one by one takes time that grows with the square of their
// number. While the batch lives the announcements are held back; at its end one announcement
// covers every row, and the list repaints once.
class CheckMarkBatch
{
public:
    explicit CheckMarkBatch(QTreeWidget *files);
    ~CheckMarkBatch();
    CheckMarkBatch(const CheckMarkBatch &) = delete;
    CheckMarkBatch &operator=(const CheckMarkBatch &) = delete;

private:
    QTreeWidget *m_files;
    QSignalBlocker m_blocked;
};
