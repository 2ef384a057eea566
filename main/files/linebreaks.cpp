#include "files/linebreaks.h"

#include <cstdint>
#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

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

struct BreakCounts
{
    qsizetype cr = 0;
    qsizetype lf = 0;
    qsizetype crLf = 0;
};

// Counts from data[from] on; a CR LF counts where its CR stands.
void countBreaksFrom(const char *data, qsizetype from, qsizetype size, BreakCounts &counts)
{
    for (qsizetype i = from; i < size; ++i) {
        if (data[i] == '\r') {
            ++counts.cr;
            if (i + 1 < size && data[i + 1] == '\n')
                ++counts.crLf;
        } else if (data[i] == '\n') {
            ++counts.lf;
        }
    }
}

#ifdef __SSE2__
// The sum of the sixteen byte counters in counts; each half's sum fits in 16 bits.
qsizetype sumOfBytes(__m128i counts)
{
    const __m128i sums = _mm_sad_epu8(counts, _mm_setzero_si128());
    return qsizetype(_mm_extract_epi16(sums, 0)) + qsizetype(_mm_extract_epi16(sums, 4));
}
#endif

BreakCounts countBreaks(const char *data, qsizetype size)
{
    BreakCounts counts;
    qsizetype i = 0;
#ifdef __SSE2__
    // Sixteen bytes at a time into byte counters, which are added up before they can overflow:
    // the texts are read whole to search them, and this pass should cost little beside that.
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const auto at = [data](qsizetype offset) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + offset));
    };
    // The byte behind each block is looked at as well, for a CR LF that ends there.
    while (i + 17 <= size) {
        __m128i crs = _mm_setzero_si128();
        __m128i lfs = _mm_setzero_si128();
        __m128i pairs = _mm_setzero_si128();
        for (int round = 0; round < 255 && i + 17 <= size; ++round, i += 16) {
            const __m128i isCr = _mm_cmpeq_epi8(at(i), cr);
            crs = _mm_sub_epi8(crs, isCr);
            lfs = _mm_sub_epi8(lfs, _mm_cmpeq_epi8(at(i), lf));
            pairs = _mm_sub_epi8(pairs, _mm_and_si128(isCr, _mm_cmpeq_epi8(at(i + 1), lf)));
        }
        counts.cr += sumOfBytes(crs);
        counts.lf += sumOfBytes(lfs);
        counts.crLf += sumOfBytes(pairs);
    }
#endif
    countBreaksFrom(data, i, size, counts);
    return counts;
}

} // namespace

qsizetype lineRuledLength(const char *data, qsizetype size)
{
    if (size == 0)
        return 0;
    const BreakCounts counts = countBreaks(data, size);
    const char last = data[size - 1];
    const qsizetype openLine = last != '\r' && last != '\n' ? 2 : 0;
    return size + counts.cr + counts.lf - 2 * counts.crLf + openLine;
}

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
