#include "search/utf8normalizer.h"

#include "search/codepage.h"

#include <QtEndian>
#include <array>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

#ifdef __SSE2__
constexpr qsizetype kBlock = 16;

// Copies the next block of plain bytes and returns how many of them there were (kBlock when the
// whole block is plain); the bytes after them in out are overwritten later. The first special
// byte (NUL, CR, LF or above ASCII) ends the count.
inline int copyPlainBlock(const unsigned char *src, char *dst)
{
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(src));
    _mm_storeu_si128(reinterpret_cast<__m128i *>(dst), bytes);
    const __m128i breaks = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_setzero_si128()),
                                                     _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r'))),
                                        _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n')));
    // movemask takes the high bit of every byte: set for bytes above ASCII and for the breaks.
    const int special = _mm_movemask_epi8(bytes) | _mm_movemask_epi8(breaks);
    return special == 0 ? int(kBlock) : int(qCountTrailingZeroBits(unsigned(special)));
}
#else
constexpr qsizetype kBlock = 8;
constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

// The high bit of every byte of word that is zero; a byte above the first zero byte may be marked
// wrongly, the lowest mark is always right.
constexpr std::uint64_t zeroBytes(std::uint64_t word)
{
    return (word - kOnes) & ~word & kHighBits;
}

inline int copyPlainBlock(const unsigned char *src, char *dst)
{
    std::uint64_t raw;
    std::memcpy(&raw, src, 8);
    std::memcpy(dst, &raw, 8);
    const std::uint64_t word = qFromLittleEndian(raw);
    const std::uint64_t special = (word & kHighBits) | zeroBytes(word) |
                                  zeroBytes(word ^ (kOnes * '\r')) |
                                  zeroBytes(word ^ (kOnes * '\n'));
    return special == 0 ? int(kBlock) : int(qCountTrailingZeroBits(special)) / 8;
}
#endif

} // namespace

NormalizedUtf8 normalizeToUtf8(const char *data, qsizetype size, char *out)
{
    const auto *src = reinterpret_cast<const unsigned char *>(data);
    const auto *const end = src + size;
    const auto *textEnd = end;
    char *dst = out;
    // UTF-8 bytes beyond the first of each character; only the high bytes have any.
    qsizetype continuationBytes = 0;

    while (src < end) {
        if (end - src >= kBlock) {
            const int plain = copyPlainBlock(src, dst);
            src += plain;
            dst += plain;
            if (plain == kBlock)
                continue;
        }
        const unsigned char b = *src++;
        if (b >= 0x80) {
            const cp1252::Utf8Form &form = cp1252::utf8Of(b);
            std::memcpy(dst, form.bytes.data(), 4);
            const int length = form.length;
            dst += length;
            continuationBytes += length - 1;
        } else if (b == '\r' || b == '\n') {
            *dst++ = '\r';
            *dst++ = '\n';
            // CR LF is one break; LF CR are two.
            if (b == '\r' && src < end && *src == '\n')
                ++src;
        } else if (b == '\0') {
            textEnd = src - 1;
            break;
        } else {
            *dst++ = char(b);
        }
    }

    const auto *const start = reinterpret_cast<const unsigned char *>(data);
    if (textEnd > start && textEnd[-1] != '\r' && textEnd[-1] != '\n') {
        *dst++ = '\r';
        *dst++ = '\n';
    }
    NormalizedUtf8 result;
    result.bytes = dst - out;
    result.units = result.bytes - continuationBytes;
    return result;
}
