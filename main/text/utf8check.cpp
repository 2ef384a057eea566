#include "text/utf8check.h"

#include <cstdint>
#include <cstring>

namespace {

// The bytes of the sequence that lead begins, or 0 when it begins none.
int sequenceLength(unsigned char lead)
{
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

bool wellFormed(const unsigned char *sequence, int length)
{
    static constexpr unsigned char leadBits[] = {0, 0, 0x1F, 0x0F, 0x07};
    static constexpr char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    char32_t value = sequence[0] & leadBits[length];
    for (int k = 1; k < length; ++k) {
        if ((sequence[k] & 0xC0) != 0x80)
            return false;
        value = (value << 6) | (sequence[k] & 0x3F);
    }
    return value >= minimum[length] && value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF);
}

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
        const int length = sequenceLength(bytes[i]);
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
    const int length = sequenceLength(m_pending[0]);
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
    m_wellFormed = wellFormed(sequence, length);
    m_multiByte = true;
}
