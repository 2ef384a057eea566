#pragma once

#include <QtGlobal>

// The output buffer of text loading, reused from file to file. Its room is address space
// reserved for the most a text could need, of which only the pages written take memory: a text
// is written into it once, without copying the buffer to grow it, and the next file reuses the
// pages without their faults.
class ReservedBuffer
{
public:
    ReservedBuffer() = default;
    ~ReservedBuffer();
    ReservedBuffer(const ReservedBuffer &) = delete;
    ReservedBuffer &operator=(const ReservedBuffer &) = delete;

    // Room for size bytes; what it held before is lost. Throws std::bad_alloc when the system
    // refuses the address space.
    char *reserve(qsizetype size);

    // Notes that the first bytes of the room were written, so that release knows its pages.
    void noteUsed(qsizetype bytes) { m_used = qMax(m_used, bytes); }

    // Gives the pages written beyond the first keep bytes back to the system; the room stays.
    void release(qsizetype keep);

    char *data() { return m_data; }

private:
    char *m_data = nullptr;
    qsizetype m_capacity = 0;
    qsizetype m_used = 0;
};
