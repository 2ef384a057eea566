#include "search/literaltext.h"

#include "text/codepage.h"

#include <QVarLengthArray>
#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

bool standsForItself(QChar c)
{
    if (c.unicode() < 0x20 || c.unicode() == 0x7F || (c.unicode() >= 0x80 && c.unicode() < 0xA0))
        return false;
    return !QStringView(u"\\^$.[]|()?*+{}").contains(c);
}

// The first byte and the last of the literal are looked for sixteen places at a time, and only
// where both stand is the rest compared: a German word's letters are too frequent for a search
// of its first byte alone, and far more so than a library's general search expects.
const char *findLiteral(const char *from, const char *end, QByteArrayView literal)
{
    const qsizetype n = literal.size();
    if (end - from < n)
        return nullptr;
    if (n == 1)
        return static_cast<const char *>(std::memchr(from, literal[0], size_t(end - from)));
#ifdef __SSE2__
    const __m128i first = _mm_set1_epi8(literal[0]);
    const __m128i last = _mm_set1_epi8(literal[n - 1]);
    for (; end - from >= n - 1 + 16; from += 16) {
        const __m128i starts = _mm_loadu_si128(reinterpret_cast<const __m128i *>(from));
        const __m128i ends = _mm_loadu_si128(reinterpret_cast<const __m128i *>(from + n - 1));
        auto candidates = unsigned(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi8(starts, first), _mm_cmpeq_epi8(ends, last))));
        for (; candidates != 0; candidates &= candidates - 1) {
            const char *const at = from + __builtin_ctz(candidates);
            if (std::memcmp(at + 1, literal.data() + 1, size_t(n - 2)) == 0)
                return at;
        }
    }
#endif
    const std::string_view rest(from, size_t(end - from));
    const size_t at = rest.find(std::string_view(literal.data(), size_t(n)));
    return at == std::string_view::npos ? nullptr : from + at;
}

} // namespace

std::optional<LiteralText> LiteralText::of(const QString &pattern)
{
    QList<QByteArray> alternatives;
    for (const QStringView alternative : QStringView(pattern).split(u'|')) {
        if (alternative.isEmpty())
            return std::nullopt;
        for (const QChar c : alternative) {
            if (!standsForItself(c))
                return std::nullopt;
        }
        const auto bytes = cp1252::encodeExactly(alternative.toString());
        if (!bytes)
            return std::nullopt;
        alternatives << *bytes;
    }
    return LiteralText(std::move(alternatives));
}

qint64 LiteralText::count(std::string_view text) const
{
    const char *const end = text.data() + text.size();
    const char *from = text.data();
    qint64 count = 0;
    if (m_alternatives.size() == 1) {
        const QByteArray &literal = m_alternatives.front();
        for (const char *at = findLiteral(from, end, literal); at;
             at = findLiteral(at + literal.size(), end, literal))
            ++count;
        return count;
    }
    // Where each alternative next occurs; one that a match has passed is looked for again. A
    // pattern of a few alternatives keeps them on the stack: this runs once per text.
    QVarLengthArray<const char *, 8> next;
    for (const QByteArray &alternative : m_alternatives)
        next.push_back(findLiteral(from, end, alternative));
    for (;;) {
        qsizetype first = -1;
        for (qsizetype k = 0; k < m_alternatives.size(); ++k) {
            if (next[k] && next[k] < from)
                next[k] = findLiteral(from, end, m_alternatives[k]);
            // Of alternatives that match at the same place, the first in the pattern wins.
            if (next[k] && (first < 0 || next[k] < next[first]))
                first = k;
        }
        if (first < 0)
            return count;
        ++count;
        from = next[first] + m_alternatives[first].size();
    }
}

bool LiteralText::occursIn(std::string_view text) const
{
    const char *const end = text.data() + text.size();
    for (const QByteArray &alternative : m_alternatives) {
        if (findLiteral(text.data(), end, alternative))
            return true;
    }
    return false;
}
