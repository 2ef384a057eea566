#include "text/utf8normalizer.h"

#include "text/codepage.h"

#include <QtEndian>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#include <tmmintrin.h>
#endif

namespace {

// One bit per byte of a block, the lowest bit for its first byte.
struct BlockMasks
{
    unsigned high = 0; // above ASCII
    unsigned cr = 0;
    unsigned lf = 0;
    unsigned nul = 0;
};

// Blocks of eight bytes in a machine word, for processors without SSE2.
struct WordBlocks
{
    static constexpr int size = 8;
    static constexpr std::uint64_t ones = 0x0101010101010101ULL;
    static constexpr std::uint64_t low7 = 0x7F7F7F7F7F7F7F7FULL;

    // The high bit of exactly the bytes of word that are zero.
    static constexpr std::uint64_t zeroBytes(std::uint64_t word)
    {
        return ~(((word & low7) + low7) | word | low7);
    }

    // Gathers the high bit of each byte into one bit per byte.
    static constexpr unsigned byteBits(std::uint64_t highBits)
    {
        return unsigned(((highBits >> 7) * 0x0102040810204080ULL) >> 56);
    }

    static BlockMasks scan(const unsigned char *src)
    {
        std::uint64_t raw;
        std::memcpy(&raw, src, 8);
        const std::uint64_t word = qFromLittleEndian(raw);
        BlockMasks m;
        m.high = byteBits(word & ~low7);
        m.cr = byteBits(zeroBytes(word ^ (ones * '\r')));
        m.lf = byteBits(zeroBytes(word ^ (ones * '\n')));
        m.nul = byteBits(zeroBytes(word));
        return m;
    }

    static void copy(const unsigned char *src, char *dst) { std::memcpy(dst, src, 8); }

    // Every block above ASCII goes through the table.
    static int expandLatin1(const unsigned char *, char *) { return -1; }
};

#ifdef __SSE2__
struct Sse2Blocks
{
    static constexpr int size = 16;

    static BlockMasks scan(const unsigned char *src)
    {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(src));
        BlockMasks m;
        m.high = unsigned(_mm_movemask_epi8(bytes));
        m.cr = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r'))));
        m.lf = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n'))));
        m.nul = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_setzero_si128())));
        return m;
    }

    static void copy(const unsigned char *src, char *dst)
    {
        _mm_storeu_si128(reinterpret_cast<__m128i *>(dst),
                         _mm_loadu_si128(reinterpret_cast<const __m128i *>(src)));
    }

    // The UTF-8 of a block of ASCII and of bytes from 0xA0 up, which Windows-1252 shares with
    // Latin-1 and UTF-8 writes as two bytes: each byte's lead byte (an ASCII byte is its own) and
    // second byte, and which bytes are high. False when the block holds a byte from 0x80 to 0x9F.
    struct Latin1Pairs
    {
        __m128i lead;
        __m128i second;
        __m128i high;
    };
    static bool latin1Pairs(const unsigned char *src, Latin1Pairs &out)
    {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(src));
        // Bytes from 0x80 to 0x9F are -128 to -97 as signed bytes.
        if (_mm_movemask_epi8(_mm_cmplt_epi8(bytes, _mm_set1_epi8(-96))) != 0)
            return false;
        out.high = _mm_cmplt_epi8(bytes, _mm_setzero_si128());
        // From 0xC0 up the lead byte is 0xC3 and the second byte 0x40 less than the input byte;
        // below, 0xC2 and the input byte itself.
        const __m128i fromC0 = _mm_and_si128(out.high, _mm_cmpgt_epi8(bytes, _mm_set1_epi8(-65)));
        out.lead =
            _mm_or_si128(_mm_andnot_si128(out.high, bytes),
                         _mm_and_si128(out.high, _mm_sub_epi8(_mm_set1_epi8(char(0xC2)), fromC0)));
        out.second = _mm_sub_epi8(bytes, _mm_and_si128(fromC0, _mm_set1_epi8(0x40)));
        return true;
    }

    // Writes the UTF-8 of a block (see latin1Pairs) and returns the bytes written; returns -1,
    // writing nothing, when the block holds a byte from 0x80 to 0x9F. Each byte's place in the
    // output is computed for all bytes at once, so the stores do not wait for each other as a
    // running output pointer would make them.
    static int expandLatin1(const unsigned char *src, char *dst)
    {
        Latin1Pairs utf8;
        if (!latin1Pairs(src, utf8))
            return -1;
        // Lengths of 1 or 2 and their running sums: where each byte's output ends.
        const __m128i length = _mm_sub_epi8(_mm_set1_epi8(1), utf8.high);
        __m128i ends = length;
        ends = _mm_add_epi8(ends, _mm_slli_si128(ends, 1));
        ends = _mm_add_epi8(ends, _mm_slli_si128(ends, 2));
        ends = _mm_add_epi8(ends, _mm_slli_si128(ends, 4));
        ends = _mm_add_epi8(ends, _mm_slli_si128(ends, 8));
        alignas(16) unsigned char starts[size];
        alignas(16) std::uint16_t pairs[size];
        _mm_store_si128(reinterpret_cast<__m128i *>(starts), _mm_sub_epi8(ends, length));
        _mm_store_si128(reinterpret_cast<__m128i *>(pairs),
                        _mm_unpacklo_epi8(utf8.lead, utf8.second));
        _mm_store_si128(reinterpret_cast<__m128i *>(pairs + 8),
                        _mm_unpackhi_epi8(utf8.lead, utf8.second));
        // Every byte writes two; the second one of an ASCII byte is overwritten by the next byte
        // or lies past the block's output.
        for (int i = 0; i < size; ++i)
            std::memcpy(dst + starts[i], &pairs[i], 2);
        return starts[size - 1] + (src[size - 1] >= 0x80 ? 2 : 1);
    }
};

// For each pattern of high bytes among eight (bit i for byte i), the shuffle that takes from
// their (lead, second) pairs the lead byte of each and the second byte of the high ones.
struct PairShuffles
{
    alignas(16) unsigned char masks[256][16];
    // The bytes each shuffle gives.
    unsigned char lengths[256];

    constexpr PairShuffles() : masks(), lengths()
    {
        for (int high = 0; high < 256; ++high) {
            int out = 0;
            for (int i = 0; i < 8; ++i) {
                masks[high][out++] = static_cast<unsigned char>(2 * i);
                if (high & (1 << i))
                    masks[high][out++] = static_cast<unsigned char>(2 * i + 1);
            }
            lengths[high] = static_cast<unsigned char>(out);
            while (out < 16)
                masks[high][out++] = 0x80;
        }
    }
};
constexpr PairShuffles kPairShuffles;

// Sse2Blocks with the expansion done by two byte shuffles instead of sixteen stores.
struct Ssse3Blocks : Sse2Blocks
{
    __attribute__((target("ssse3"))) static int expandLatin1(const unsigned char *src, char *dst)
    {
        Latin1Pairs utf8;
        if (!latin1Pairs(src, utf8))
            return -1;
        const unsigned highBits = unsigned(_mm_movemask_epi8(utf8.high));
        const unsigned lowHalf = highBits & 0xFF;
        const unsigned highHalf = highBits >> 8;
        const auto shuffle = [](unsigned pattern) {
            return _mm_load_si128(reinterpret_cast<const __m128i *>(kPairShuffles.masks[pattern]));
        };
        const int firstLength = kPairShuffles.lengths[lowHalf];
        _mm_storeu_si128(
            reinterpret_cast<__m128i *>(dst),
            _mm_shuffle_epi8(_mm_unpacklo_epi8(utf8.lead, utf8.second), shuffle(lowHalf)));
        _mm_storeu_si128(
            reinterpret_cast<__m128i *>(dst + firstLength),
            _mm_shuffle_epi8(_mm_unpackhi_epi8(utf8.lead, utf8.second), shuffle(highHalf)));
        return firstLength + kPairShuffles.lengths[highHalf];
    }
};
#endif

// The bytes that the block's own loop cannot take as they are: NUL ends the text, and a CR or LF
// that is not half of a CR LF within the block becomes CR LF.
inline unsigned irregularBytes(const BlockMasks &m)
{
    const unsigned pairedCr = m.cr & (m.lf >> 1);
    const unsigned pairedLf = m.lf & (m.cr << 1);
    return m.nul | (m.cr & ~pairedCr) | (m.lf & ~pairedLf);
}

// Ends the open last line of the text.
inline void endText(char *&dst, Utf8Normalizing &state)
{
    if (state.openLine) {
        *dst++ = '\r';
        *dst++ = '\n';
        state.openLine = false;
    }
}

// Converts a piece of a text (see normalizePieceToUtf8); returns the bytes taken, or -1 when the
// output would pass limit. Always inlined, so that each caller compiles it for its own processor.
template <typename Blocks>
[[gnu::always_inline]] inline qsizetype normalizeWith(const char *data, qsizetype size, bool last,
                                                      char *&out, const char *limit,
                                                      Utf8Normalizing &state)
{
    constexpr int kBlock = Blocks::size;
    // A step writes at most three bytes for each byte of a block and stores a word past them;
    // past this point the next step might not fit. With the full room it is never reached:
    // three bytes per byte read so far stay below it.
    static_assert(3 * kBlock + 4 + 2 <= kUtf8Slack);
    const char *const lastStepStart = limit - kUtf8Slack;
    const cp1252::Utf8Form *const forms = cp1252::utf8Forms();
    const auto *const start = reinterpret_cast<const unsigned char *>(data);
    const auto *src = start;
    const auto *const end = src + size;
    char *dst = out;
    // UTF-8 bytes beyond the first of each character; only the high bytes have any.
    qsizetype continuationBytes = 0;
    bool ended = last;

    while (src < end) {
        if (dst > lastStepStart)
            return -1;
        if (end - src >= kBlock) {
            const BlockMasks masks = Blocks::scan(src);
            const unsigned irregular = irregularBytes(masks);
            if (irregular == 0) {
                // Most blocks: plain ASCII is copied whole, ASCII with letters from 0xA0 up
                // (the umlauts) is expanded at once; otherwise every byte is looked up, which
                // costs less than a branch per character above ASCII.
                if (masks.high == 0) {
                    Blocks::copy(src, dst);
                    dst += kBlock;
                } else if (const int written = Blocks::expandLatin1(src, dst); written >= 0) {
                    dst += written;
                    continuationBytes += written - kBlock;
                } else {
                    char *const blockStart = dst;
                    for (int i = 0; i < kBlock; ++i) {
                        const cp1252::Utf8Form &form = forms[src[i]];
                        std::memcpy(dst, form.bytes.data(), 4);
                        dst += form.length;
                    }
                    continuationBytes += (dst - blockStart) - kBlock;
                }
                src += kBlock;
                continue;
            }
            // The plain bytes before the first special one; the rest of the block is written
            // again from there.
            const unsigned special = irregular | masks.high;
            const int plain = int(qCountTrailingZeroBits(special));
            Blocks::copy(src, dst);
            src += plain;
            dst += plain;
        }
        const unsigned char b = *src;
        if (b >= 0x80) {
            const cp1252::Utf8Form &form = forms[b];
            std::memcpy(dst, form.bytes.data(), 4);
            const int length = form.length;
            dst += length;
            continuationBytes += length - 1;
        } else if (b == '\r' || b == '\n') {
            // A CR that ends the piece may be half of a CR LF; the next piece brings it again.
            if (b == '\r' && src + 1 == end && !last)
                break;
            *dst++ = '\r';
            *dst++ = '\n';
            // CR LF is one break; LF CR are two.
            if (b == '\r' && src + 1 < end && src[1] == '\n')
                ++src;
        } else if (b == '\0') {
            ended = true;
            break;
        } else {
            *dst++ = char(b);
        }
        ++src;
    }

    if (src > start)
        state.openLine = src[-1] != '\r' && src[-1] != '\n';
    if (ended)
        endText(dst, state);
    state.continuationBytes += continuationBytes;
    out = dst;
    return ended ? size : src - start;
}

using PieceNormalizer = qsizetype (*)(const char *data, qsizetype size, bool last, char *&out,
                                      const char *limit, Utf8Normalizing &state);

qsizetype normalizeWithWords(const char *data, qsizetype size, bool last, char *&out,
                             const char *limit, Utf8Normalizing &state)
{
    return normalizeWith<WordBlocks>(data, size, last, out, limit, state);
}

#ifdef __SSE2__
qsizetype normalizeWithSse2(const char *data, qsizetype size, bool last, char *&out,
                            const char *limit, Utf8Normalizing &state)
{
    return normalizeWith<Sse2Blocks>(data, size, last, out, limit, state);
}

__attribute__((target("ssse3"))) qsizetype normalizeWithSsse3(const char *data, qsizetype size,
                                                              bool last, char *&out,
                                                              const char *limit,
                                                              Utf8Normalizing &state)
{
    return normalizeWith<Ssse3Blocks>(data, size, last, out, limit, state);
}

// SSE2 is part of every x86-64 processor, SSSE3 of nearly every one.
PieceNormalizer nativeNormalizer()
{
    static const PieceNormalizer normalizer =
        __builtin_cpu_supports("ssse3") ? normalizeWithSsse3 : normalizeWithSse2;
    return normalizer;
}
#else
qsizetype normalizeWithSse2(const char *data, qsizetype size, bool last, char *&out,
                            const char *limit, Utf8Normalizing &state)
{
    return normalizeWithWords(data, size, last, out, limit, state);
}

PieceNormalizer nativeNormalizer()
{
    return normalizeWithWords;
}
#endif

NormalizedUtf8 normalizeWhole(PieceNormalizer normalize, const char *data, qsizetype size,
                              char *out, qsizetype room)
{
    Utf8Normalizing state;
    char *dst = out;
    if (normalize(data, size, true, dst, out + room, state) < 0)
        return {false, 0, 0};
    NormalizedUtf8 result;
    result.bytes = dst - out;
    result.units = result.bytes - state.continuationBytes;
    return result;
}

} // namespace

NormalizedUtf8 normalizeToUtf8(const char *data, qsizetype size, char *out, qsizetype room)
{
    return normalizeWhole(nativeNormalizer(), data, size, out, room);
}

NormalizedUtf8 normalizeToUtf8Sse2(const char *data, qsizetype size, char *out, qsizetype room)
{
    return normalizeWhole(normalizeWithSse2, data, size, out, room);
}

NormalizedUtf8 normalizeToUtf8Portable(const char *data, qsizetype size, char *out, qsizetype room)
{
    return normalizeWhole(normalizeWithWords, data, size, out, room);
}

qsizetype normalizePieceToUtf8(const char *data, qsizetype size, bool last, char *&out,
                               Utf8Normalizing &state)
{
    return nativeNormalizer()(data, size, last, out, out + normalizedUtf8Capacity(size), state);
}
