#include "search/pattern.h"

#include "errors/qvxerror.h"

#include <pcre2.h>

namespace {

QString pcre2Message(int code)
{
    PCRE2_UCHAR buffer[256];
    const int length = pcre2_get_error_message(code, buffer, sizeof buffer);
    if (length < 0)
        return QString("PCRE2-Fehlercode %1").arg(code);
    return QString::fromUtf8(reinterpret_cast<const char *>(buffer), length);
}

// Length of the UTF-8 sequence that starts with lead; subjects are valid UTF-8.
PCRE2_SIZE sequenceLength(unsigned char lead)
{
    if (lead < 0xC0)
        return 1;
    if (lead < 0xE0)
        return 2;
    if (lead < 0xF0)
        return 3;
    return 4;
}

// Turns byte offsets into UTF-16 positions. Successive matches move forwards, so the walk
// goes on from the last offset asked for and the whole subject is walked about once.
class Utf16Positions
{
public:
    explicit Utf16Positions(std::string_view subject)
        : m_bytes(reinterpret_cast<const unsigned char *>(subject.data()))
    {
    }

    qsizetype at(PCRE2_SIZE offset)
    {
        if (offset < m_offset) {
            m_offset = 0;
            m_position = 0;
        }
        while (m_offset < offset) {
            const unsigned char lead = m_bytes[m_offset];
            // A four-byte sequence lies outside the basic plane: a surrogate pair in UTF-16.
            m_position += lead >= 0xF0 ? 2 : 1;
            m_offset += sequenceLength(lead);
        }
        return m_position;
    }

private:
    const unsigned char *m_bytes;
    PCRE2_SIZE m_offset = 0;
    qsizetype m_position = 0;
};

} // namespace

struct Pattern::Impl
{
    pcre2_code *code = nullptr;
    pcre2_match_data *matchData = nullptr;
    pcre2_match_context *matchContext = nullptr;
    pcre2_jit_stack *jitStack = nullptr;

    ~Impl()
    {
        pcre2_jit_stack_free(jitStack);
        pcre2_match_context_free(matchContext);
        pcre2_match_data_free(matchData);
        pcre2_code_free(code);
    }

    int match(std::string_view subject, PCRE2_SIZE offset, uint32_t options) const
    {
        return pcre2_match(code, reinterpret_cast<PCRE2_SPTR>(subject.data()), subject.size(),
                           offset, options, matchData, matchContext);
    }

    // Returns false for no match; throws for a failed search.
    bool find(std::string_view subject, PCRE2_SIZE offset) const
    {
        int rc = match(subject, offset, PCRE2_NO_UTF_CHECK);
        // The JIT's stack is bounded; the interpreter keeps its frames on the heap and finds the
        // same matches, so a long repetition that overflows the stack is retried there.
        if (rc == PCRE2_ERROR_JIT_STACKLIMIT)
            rc = match(subject, offset, PCRE2_NO_UTF_CHECK | PCRE2_NO_JIT);
        if (rc >= 0)
            return true;
        switch (rc) {
        case PCRE2_ERROR_NOMATCH:
            return false;
        case PCRE2_ERROR_MATCHLIMIT:
        case PCRE2_ERROR_DEPTHLIMIT:
        case PCRE2_ERROR_HEAPLIMIT:
        case PCRE2_ERROR_JIT_STACKLIMIT:
            throw MatchLimitError();
        default:
            throw QvxError(QString("Die Suche mit dem regulären Ausdruck ist fehlgeschlagen "
                                   "(PCRE2-Fehler %1: %2)")
                               .arg(rc)
                               .arg(pcre2Message(rc)));
        }
    }
};

Pattern::Pattern(const QString &pattern) : m_source(pattern), d(std::make_unique<Impl>())
{
    const QByteArray utf8 = pattern.toUtf8();

    pcre2_compile_context *compileContext = pcre2_compile_context_create(nullptr);
    if (!compileContext)
        throw std::bad_alloc();
    pcre2_set_newline(compileContext, PCRE2_NEWLINE_ANY);
    int errorCode = 0;
    PCRE2_SIZE errorOffset = 0;
    d->code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(utf8.constData()),
                            static_cast<PCRE2_SIZE>(utf8.size()), PCRE2_UTF, &errorCode,
                            &errorOffset, compileContext);
    pcre2_compile_context_free(compileContext);
    if (!d->code)
        throw QvxError(QString("Fehler in regulärem Ausdruck bei Offset %1: %2")
                           .arg(errorOffset)
                           .arg(pcre2Message(errorCode)));

    // Without the JIT the interpreter finds exactly the same matches, only more slowly.
    pcre2_jit_compile(d->code, PCRE2_JIT_COMPLETE);

    d->matchData = pcre2_match_data_create_from_pattern(d->code, nullptr);
    d->matchContext = pcre2_match_context_create(nullptr);
    if (!d->matchData || !d->matchContext)
        throw std::bad_alloc();
    // The JIT's default stack of 32 KiB is too small for ordinary patterns on long texts.
    d->jitStack = pcre2_jit_stack_create(32 * 1024, 8 * 1024 * 1024, nullptr);
    if (d->jitStack)
        pcre2_jit_stack_assign(d->matchContext, nullptr, d->jitStack);
}

Pattern::~Pattern() = default;

template <typename OnMatch>
void Pattern::scanMatches(std::string_view subject, OnMatch onMatch) const
{
    const PCRE2_SIZE length = subject.size();
    const auto *bytes = reinterpret_cast<const unsigned char *>(subject.data());
    const PCRE2_SIZE *ovector = pcre2_get_ovector_pointer(d->matchData);
    PCRE2_SIZE offset = 0;
    for (;;) {
        if (!d->find(subject, offset))
            break;
        const PCRE2_SIZE start = ovector[0];
        const PCRE2_SIZE end = ovector[1];
        onMatch(start, end);
        PCRE2_SIZE next = end;
        if (start == end) {
            if (end >= length)
                break;
            next = end + sequenceLength(bytes[end]);
        }
        // \K can report a match that ends where the search began (or, in lookarounds, even
        // before it); step over one character so that the loop always ends.
        if (next <= offset) {
            if (offset >= length)
                break;
            next = offset + sequenceLength(bytes[offset]);
        }
        // \C matches a single byte and can end a match inside a character; PCRE2 must not be
        // started there (undefined without the UTF check), so the next search begins with the
        // following whole character.
        while (next < length && (bytes[next] & 0xC0) == 0x80)
            ++next;
        if (next > length)
            break;
        offset = next;
    }
}

qint32 Pattern::countMatches(std::string_view subject) const
{
    qint32 count = 0;
    scanMatches(subject, [&count](PCRE2_SIZE, PCRE2_SIZE) { ++count; });
    return count;
}

void Pattern::forEachMatch(
    std::string_view subject,
    const std::function<void(qsizetype start, qsizetype length)> &onMatch) const
{
    Utf16Positions positions(subject);
    scanMatches(subject, [&](PCRE2_SIZE start, PCRE2_SIZE end) {
        const qsizetype from = positions.at(start);
        // A match that reports its end before its start (\K in a lookahead) covers nothing.
        const qsizetype to = end > start ? positions.at(end) : from;
        onMatch(from, to - from);
    });
}

bool Pattern::matchesAnywhere(std::string_view subject) const
{
    return d->find(subject, 0);
}
