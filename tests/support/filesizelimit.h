#pragma once

#include <QtGlobal>

// While it lives, no file of this process may grow beyond the given size: a write fails half-way
// as on a full disk, which no file permission can bring about for a test that runs as root.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    // False where the platform offers no such limit; the test should then be skipped.
    bool active() const { return m_active; }

private:
    bool m_active = false;
    quint64 m_previous = 0;
};
