#pragma once

#include <QtGlobal>
#include <cstring>
#include <memory>

// A byte buffer that only grows and is never cleared, for loading one file after another: after
// the first few files it has the room it needs, so a file costs neither an allocation nor the
// page faults of fresh memory.
class GrowBuffer
{
public:
    char *data() { return m_data.get(); }

    // Room for at least size bytes; the first keep bytes stay as they were. It grows to exactly
    // the size asked for, so that it never holds much more than the largest file needed.
    char *reserve(qsizetype size, qsizetype keep = 0)
    {
        if (size > m_capacity) {
            // Left uninitialised on purpose: every byte is written before it is read.
            std::unique_ptr<char[]> grown(new char[static_cast<size_t>(size)]);
            if (keep > 0)
                std::memcpy(grown.get(), m_data.get(), static_cast<size_t>(keep));
            m_data = std::move(grown);
            m_capacity = size;
        }
        return m_data.get();
    }

    qsizetype capacity() const { return m_capacity; }

private:
    std::unique_ptr<char[]> m_data;
    qsizetype m_capacity = 0;
};
