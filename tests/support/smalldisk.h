#pragma once

#include <QString>

// While it lives, a file system of the given size is mounted at a new directory: writes into it
// fail with "no space left" once it is full, as on a full disk. Only root may mount; elsewhere
// active() is false and the test should be skipped.
class SmallDisk
{
public:
    SmallDisk(const QString &directory, qint64 bytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool active() const { return m_active; }

private:
    QString m_directory;
    bool m_active = false;
};
