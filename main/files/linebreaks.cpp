#include "files/linebreaks.h"

#include <cstdint>
#include <cstring>

namespace {

// The first CR or LF from data on, or end; a machine word at a time over the long lines between.
const char *findBreak(const char *data, const char *end)
{
    constexpr std::uint64_t ones = 0x0101010101010101ULL;
    constexpr std::uint64_t low7 = 0x7F7F7F7F7F7F7F7FULL;
    const auto zeroBytes = [](std::uint64_t w) { return ~(((w & low7) + low7) | w | low7); };
    while (end - data >= 8) {
        std::uint64_t word;
        std::memcpy(&word, data, 8);
        if ((zeroBytes(word ^ (ones * '\r')) | zeroBytes(word ^ (ones * '\n'))) != 0)
            break;
        data += 8;
    }
    while (data < end && *data != '\r' && *data != '\n')
        ++data;
    return data;
}

} // namespace

qsizetype normalizePieceLineBreaks(const char *data, qsizetype size, bool last, char *&out,
                                   LineBreaking &state)
{
    const char *src = data;
    const char *const end = data + size;
    while (src < end) {
        const char *stop = findBreak(src, end);
        std::memcpy(out, src, size_t(stop - src));
        out += stop - src;
        src = stop;
        if (stop == end)
            break;
        if (*stop == '\r' && stop + 1 == end && !last)
            break;
        *out++ = '\r';
        *out++ = '\n';
        // CR LF is one break; LF CR are two.
        if (*stop == '\r' && stop + 1 < end && stop[1] == '\n')
            ++stop;
        src = stop + 1;
    }
    if (src > data)
        state.openLine = src[-1] != '\r' && src[-1] != '\n';
    if (last && state.openLine) {
        *out++ = '\r';
        *out++ = '\n';
        state.openLine = false;
    }
    return src - data;
}
