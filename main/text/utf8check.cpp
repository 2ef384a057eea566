#include "text/utf8check.h"

#include "text/utf8decoding.h"

#include <cstdint>
#include <cstring>

namespace {

bool asciiWord(const unsigned char *data)
{
    std::uint64_t word;
    std::memcpy(&word, data, 8);
    return (word & 0x8080808080808080ULL) == 0;
}

} // namespace

void Utf8Check::add(const char *data, qsizetype size)
{
    const auto *bytes = reinterpret_cast<const unsigned char *>(data);
    qsizetype i = m_wellFormed ? completePending(bytes, size) : size;
    while (i < size && m_wellFormed) {
        if (size - i >= 8 && asciiWord(bytes + i)) {
            i += 8;
            continue;
        }
        if (bytes[i] < 0x80) {
            ++i;
            continue;
        }
        const int length = utf8SequenceLength(bytes[i]);
        if (length == 0) {
            m_wellFormed = false;
            return;
        }
        if (size - i < length) {
            m_pendingSize = int(size - i);
            std::memcpy(m_pending, bytes + i, size_t(m_pendingSize));
            return;
        }
        checkSequence(bytes + i, length);
        i += length;
    }
}

qsizetype Utf8Check::completePending(const unsigned char *data, qsizetype size)
{
    if (m_pendingSize == 0)
        return 0;
    const int length = utf8SequenceLength(m_pending[0]);
    const qsizetype taken = qMin<qsizetype>(length - m_pendingSize, size);
    std::memcpy(m_pending + m_pendingSize, data, size_t(taken));
    m_pendingSize += int(taken);
    if (m_pendingSize == length) {
        checkSequence(m_pending, length);
        m_pendingSize = 0;
    }
    return taken;
}

void Utf8Check::checkSequence(const unsigned char *sequence, int length)
{
    m_wellFormed = utf8SequenceValue(sequence, length).has_value();
    m_multiByte = true;
}
