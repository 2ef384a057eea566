#include "text/utf8decoding.h"

#include <QtEndian>
#include <cstdint>
#include <cstring>

int utf8SequenceLength(unsigned char lead)
{
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

std::optional<char32_t> utf8SequenceValue(const unsigned char *sequence, int length)
{
    static constexpr unsigned char leadBits[] = {0, 0, 0x1F, 0x0F, 0x07};
    static constexpr char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    char32_t value = sequence[0] & leadBits[length];
    for (int k = 1; k < length; ++k) {
        if ((sequence[k] & 0xC0) != 0x80)
            return std::nullopt;
        value = (value << 6) | (sequence[k] & 0x3F);
    }
    if (value < minimum[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return std::nullopt;
    return value;
}

namespace {

constexpr char32_t replacement = 0xFFFD;

// The code point of the well-formed sequence at data[i], a byte from 0x80 up, advancing i past
// it, or U+FFFD advancing i by one byte.
char32_t nextCodePoint(const unsigned char *data, qsizetype size, qsizetype &i)
{
    const int length = utf8SequenceLength(data[i]);
    const std::optional<char32_t> value =
        length == 0 || i + length > size ? std::nullopt : utf8SequenceValue(data + i, length);
    if (!value) {
        ++i;
        return replacement;
    }
    i += length;
    return *value;
}

// Whether the eight bytes at data are ASCII without CR and LF, which pass through unchanged.
bool plainAscii(const unsigned char *data)
{
    constexpr std::uint64_t ones = 0x0101010101010101ULL;
    constexpr std::uint64_t low7 = 0x7F7F7F7F7F7F7F7FULL;
    std::uint64_t word;
    std::memcpy(&word, data, 8);
    const auto zeroBytes = [](std::uint64_t w) { return ~(((w & low7) + low7) | w | low7); };
    return ((word & ~low7) | zeroBytes(word ^ (ones * '\r')) | zeroBytes(word ^ (ones * '\n'))) ==
           0;
}

struct Utf8Sink
{
    char *&out;

    void copyAscii(const unsigned char *data, int count)
    {
        std::memcpy(out, data, size_t(count));
        out += count;
    }
    void append(char32_t c)
    {
        if (c < 0x80) {
            *out++ = char(c);
        } else if (c < 0x800) {
            *out++ = char(0xC0 | (c >> 6));
            *out++ = char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            *out++ = char(0xE0 | (c >> 12));
            *out++ = char(0x80 | ((c >> 6) & 0x3F));
            *out++ = char(0x80 | (c & 0x3F));
        } else {
            *out++ = char(0xF0 | (c >> 18));
            *out++ = char(0x80 | ((c >> 12) & 0x3F));
            *out++ = char(0x80 | ((c >> 6) & 0x3F));
            *out++ = char(0x80 | (c & 0x3F));
        }
    }
};

struct Utf16Sink
{
    char16_t *&out;

    void copyAscii(const unsigned char *data, int count)
    {
        for (int k = 0; k < count; ++k)
            *out++ = data[k];
    }
    void append(char32_t c)
    {
        if (c < 0x10000) {
            *out++ = char16_t(c);
        } else {
            *out++ = QChar::highSurrogate(c);
            *out++ = QChar::lowSurrogate(c);
        }
    }
};

bool startsLikeByteOrderMark(const unsigned char *data, qsizetype size)
{
    static constexpr unsigned char mark[] = {0xEF, 0xBB, 0xBF};
    return std::memcmp(data, mark, size_t(qMin<qsizetype>(size, 3))) == 0;
}

template <typename Sink>
qsizetype decodePiece(const unsigned char *data, qsizetype size, bool last, Sink sink,
                      Utf8Decoding &state)
{
    qsizetype i = 0;
    if (!state.started) {
        if (!last && size < 3 && startsLikeByteOrderMark(data, size))
            return 0;
        if (size >= 3 && startsLikeByteOrderMark(data, 3))
            i = 3;
        state.started = true;
    }
    qsizetype units = 0;
    while (i < size) {
        if (size - i >= 8 && plainAscii(data + i)) {
            sink.copyAscii(data + i, 8);
            units += 8;
            i += 8;
            state.openLine = true;
            continue;
        }
        const unsigned char b = data[i];
        if (b == '\r' || b == '\n') {
            if (b == '\r' && i + 1 == size && !last)
                break;
            sink.append('\r');
            sink.append('\n');
            units += 2;
            // CR LF is one break; LF CR are two.
            i += b == '\r' && i + 1 < size && data[i + 1] == '\n' ? 2 : 1;
            state.openLine = false;
            continue;
        }
        if (b >= 0x80 && !last && i + utf8SequenceLength(b) > size)
            break;
        const char32_t c = b < 0x80 ? data[i++] : nextCodePoint(data, size, i);
        sink.append(c);
        units += c < 0x10000 ? 1 : 2;
        state.openLine = true;
    }
    if (last && state.openLine) {
        sink.append('\r');
        sink.append('\n');
        units += 2;
        state.openLine = false;
    }
    state.units += units;
    return i;
}

} // namespace

qsizetype decodeUtf8Piece(const char *data, qsizetype size, bool last, char *&out,
                          Utf8Decoding &state)
{
    return decodePiece(reinterpret_cast<const unsigned char *>(data), size, last, Utf8Sink{out},
                       state);
}

qsizetype decodeUtf8Piece(const char *data, qsizetype size, bool last, char16_t *&out,
                          Utf8Decoding &state)
{
    return decodePiece(reinterpret_cast<const unsigned char *>(data), size, last, Utf16Sink{out},
                       state);
}

void decodeUtf8Text(const char *data, qsizetype size, QString &out)
{
    out.resize(decodedUtf16Capacity(size));
    char16_t *const begin = reinterpret_cast<char16_t *>(out.data());
    char16_t *end = begin;
    Utf8Decoding state;
    decodeUtf8Piece(data, size, true, end, state);
    out.resize(end - begin);
}
