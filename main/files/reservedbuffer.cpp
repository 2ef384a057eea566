#include "files/reservedbuffer.h"

#include <new>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// Small texts share one reservation of this size, so that a run of them never maps again.
constexpr qsizetype kLeastRoom = qsizetype(64) << 20;

qsizetype pageSize()
{
    static const qsizetype size = qsizetype(::sysconf(_SC_PAGESIZE));
    return size;
}

qsizetype roundedToPages(qsizetype bytes)
{
    return (bytes + pageSize() - 1) / pageSize() * pageSize();
}

} // namespace

ReservedBuffer::~ReservedBuffer()
{
    if (m_data)
        ::munmap(m_data, size_t(m_capacity));
}

char *ReservedBuffer::reserve(qsizetype size)
{
    if (size <= m_capacity)
        return m_data;
    // Twice the old room, so that texts of slowly rising sizes do not map again each time.
    const qsizetype capacity = roundedToPages(qMax(size, qMax(kLeastRoom, 2 * m_capacity)));
    if (m_data)
        ::munmap(m_data, size_t(m_capacity));
    m_data = nullptr;
    m_capacity = 0;
    void *mapped = ::mmap(nullptr, size_t(capacity), PROT_READ | PROT_WRITE,
                          MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (mapped == MAP_FAILED)
        throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
    // Large pages take a five-hundredth of the faults to fill; the advice may be refused.
    ::madvise(mapped, size_t(capacity), MADV_HUGEPAGE);
#endif
    m_data = static_cast<char *>(mapped);
    m_capacity = capacity;
    m_used = 0;
    return m_data;
}

void ReservedBuffer::release(qsizetype keep)
{
    const qsizetype from = roundedToPages(qMax<qsizetype>(keep, 0));
    // The block-sized stores may reach a page past the bytes written.
    const qsizetype to = qMin(m_capacity, roundedToPages(m_used) + pageSize());
    if (from >= to)
        return;
    ::madvise(m_data + from, size_t(to - from), MADV_DONTNEED);
    m_used = from;
}
