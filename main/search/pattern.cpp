#include "search/pattern.h"

#include "errors/qvxerror.h"
#include "search/assertedfirstunit.h"
#include "search/matchbudget.h"
#include "search/requiredunits.h"
#include "search/searchstart.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <pcre2.h>
#include <string_view>
#include <utility>

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

// PCRE2's interpreter keeps its backtracking frames on the heap; a few hundred MB is the most
// that one search may take.
constexpr uint32_t kHeapLimitKiB = 512 * 1024;

// The next whole character at or after offset.
PCRE2_SIZE wholeCharacterAt(std::string_view subject, PCRE2_SIZE offset)
{
    while (offset < subject.size() && (static_cast<unsigned char>(subject[offset]) & 0xC0) == 0x80)
        ++offset;
    return offset;
}

// The first and the last code unit that every match holds, where PCRE2 recorded one (type 1);
// type 2 means the start of a line.
struct RecordedUnits
{
    std::optional<uint32_t> first;
    std::optional<uint32_t> last;
};

std::optional<uint32_t> recordedUnit(const pcre2_code *code, uint32_t typeInfo, uint32_t unitInfo)
{
    uint32_t type = 0;
    uint32_t unit = 0;
    if (pcre2_pattern_info(code, typeInfo, &type) == 0 && type == 1 &&
        pcre2_pattern_info(code, unitInfo, &unit) == 0)
        return unit;
    return std::nullopt;
}

RecordedUnits recordedUnits(const pcre2_code *code)
{
    return {recordedUnit(code, PCRE2_INFO_FIRSTCODETYPE, PCRE2_INFO_FIRSTCODEUNIT),
            recordedUnit(code, PCRE2_INFO_LASTCODETYPE, PCRE2_INFO_LASTCODEUNIT)};
}

pcre2_code *compile(std::string_view pattern, uint32_t options)
{
    pcre2_compile_context *compileContext = pcre2_compile_context_create(nullptr);
    if (!compileContext)
        throw std::bad_alloc();
    pcre2_set_newline(compileContext, PCRE2_NEWLINE_ANY);
    int errorCode = 0;
    PCRE2_SIZE errorOffset = 0;
    pcre2_code *code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                                     options, &errorCode, &errorOffset, compileContext);
    pcre2_compile_context_free(compileContext);
    if (!code)
        throw QvxError(QString("Fehler in regulärem Ausdruck bei Offset %1: %2")
                           .arg(errorOffset)
                           .arg(pcre2Message(errorCode)));
    return code;
}

enum class Found
{
    Match,
    None,
    NeedMore,
    // Partial matching failed where a complete search may not: the rest is searched whole.
    Deferred
};

} // namespace

struct Pattern::Impl
{
    pcre2_code *code = nullptr;
    pcre2_match_data *matchData = nullptr;
    pcre2_match_context *matchContext = nullptr;
    pcre2_jit_stack *jitStack = nullptr;
    // Whether a search may be split into windows of start positions (see dependsOnSearchStart).
    bool windowed = false;
    // Whether a text may arrive in windows (see walkWindow).
    bool streamed = false;
    RequiredUnits requiredUnits;
    bool jitCompiled = false;

    ~Impl()
    {
        pcre2_jit_stack_free(jitStack);
        pcre2_match_context_free(matchContext);
        pcre2_match_data_free(matchData);
        pcre2_code_free(code);
    }

    // What text before a search's start its matches may look at, in characters: each of the
    // nested lookbehinds, fewer than the pattern has bytes, moves back at most the longest one;
    // \b, \B and ^ look one character back, a line break before ^ two.
    std::size_t lookback = 0;

    int match(std::string_view subject, PCRE2_SIZE offset, PCRE2_SIZE lastStart, uint32_t limit,
              bool jit, Pattern::Segment segment) const
    {
        pcre2_set_match_limit(matchContext, limit);
        pcre2_set_offset_limit(matchContext, lastStart < subject.size() ? lastStart : PCRE2_UNSET);
        const uint32_t options = PCRE2_NO_UTF_CHECK | (jit ? 0 : PCRE2_NO_JIT) |
                                 (segment.more ? PCRE2_PARTIAL_HARD : 0) |
                                 (segment.notBol ? PCRE2_NOTBOL : 0);
        return pcre2_match(code, reinterpret_cast<PCRE2_SPTR>(subject.data()), subject.size(),
                           offset, options, matchData, matchContext);
    }

    // The leftmost match that starts at offset or later: Found::Match, or Found::None. A search
    // starts with the budget's start limit per start position over as many positions as the
    // budget allows; a position that needs more doubles the limit and halves the positions, down
    // to a single one, until the budget runs out. Windows of positions that hold no match are
    // passed one after another, each from the smallest limit again.
    // units is requiredUnits' copy for this subject; once one of them is missing from the rest of
    // it, no window is searched any more.
    // In a segment that more text follows, a match that more text could change, or none found up
    // to the segment's end, gives Found::NeedMore with resume where the search goes on; an error
    // gives Found::Deferred.
    Found find(std::string_view subject, PCRE2_SIZE offset, Pattern::Segment segment,
               MatchBudget &budget, RequiredUnits &units, PCRE2_SIZE &resume) const
    {
        const PCRE2_SIZE *ovector = pcre2_get_ovector_pointer(matchData);
        uint32_t limit = budget.startLimit();
        bool jit = jitCompiled;
        for (;;) {
            // A unit missing from this segment may still come with the next one.
            if (!segment.more && !units.occurFrom(subject, offset))
                return Found::None;
            const uint64_t rest = subject.size() - offset;
            const uint64_t weight = jit ? 1 : MatchBudget::kInterpreterWeight;
            const uint64_t positions = budget.positions(limit, weight, rest + 1, windowed);
            const PCRE2_SIZE lastStart = offset + (positions - 1);
            const int rc = match(subject, offset, lastStart, limit, jit, segment);
            const uint64_t stake = uint64_t(limit) * weight * positions;
            if (rc >= 0) {
                // \K may report a start after the position that matched, never before it.
                const uint64_t tried =
                    std::min<uint64_t>(std::max(ovector[0], offset) - offset + 1, positions);
                budget.charge(uint64_t(limit) * weight * tried);
                budget.searched(tried);
                budget.found(limit);
                return Found::Match;
            }
            budget.charge(stake);
            budget.searched(positions);
            switch (rc) {
            case PCRE2_ERROR_PARTIAL:
                resume = ovector[0];
                return Found::NeedMore;
            case PCRE2_ERROR_JIT_STACKLIMIT:
                // The interpreter finds the same matches with its frames on the heap.
                jit = false;
                break;
            case PCRE2_ERROR_NOMATCH:
                if (positions > rest) {
                    // The segment's end is searched again: with no character inspected there, a
                    // search need not report a partial match.
                    resume = subject.size();
                    return segment.more ? Found::NeedMore : Found::None;
                }
                offset = wholeCharacterAt(subject, lastStart + 1);
                limit = MatchBudget::kFirstLimit;
                jit = jitCompiled;
                break;
            case PCRE2_ERROR_MATCHLIMIT:
                if (limit == UINT32_MAX)
                    throw MatchLimitError(MatchLimitError::Steps);
                limit = limit > UINT32_MAX / 2 ? UINT32_MAX : limit * 2;
                break;
            case PCRE2_ERROR_DEPTHLIMIT:
            case PCRE2_ERROR_HEAPLIMIT:
            case PCRE2_ERROR_NOMEMORY:
                throw MatchLimitError(MatchLimitError::Memory);
            default:
                // A recursion, for one, may loop at a segment's end only because of it.
                if (segment.more) {
                    resume = offset;
                    return Found::Deferred;
                }
                throw QvxError(QString("Die Suche mit dem regulären Ausdruck ist fehlgeschlagen "
                                       "(PCRE2-Fehler %1: %2)")
                                   .arg(rc)
                                   .arg(pcre2Message(rc)));
            }
        }
    }

    // The first byte of subject that searches from offset on may look at.
    std::size_t lookbackFrom(std::string_view subject, std::size_t offset) const
    {
        const auto *bytes = reinterpret_cast<const unsigned char *>(subject.data());
        std::size_t from = std::min(offset, subject.size());
        for (std::size_t n = lookback; n > 0 && from > 0; --n) {
            --from;
            while (from > 0 && (bytes[from] & 0xC0) == 0x80)
                --from;
        }
        return from;
    }
};

Pattern::Pattern(const QString &pattern) : m_source(pattern), d(std::make_unique<Impl>())
{
    const QByteArray utf8 = pattern.toUtf8();
    d->windowed = !dependsOnSearchStart(std::string_view(utf8.constData(), utf8.size()));
    // \C matches single bytes, and partial matching misses matches of it; the pattern's text is
    // looked at as it stands, which may also keep a literal "\\C" from the windows.
    d->streamed = d->windowed && !utf8.contains("\\C");

    const std::string_view text(utf8.constData(), utf8.size());
    const uint32_t options = PCRE2_UTF | (d->windowed ? PCRE2_USE_OFFSET_LIMIT : 0);
    d->code = compile(text, options);
    const RecordedUnits units = recordedUnits(d->code);
    // Both units stay required of every match; only PCRE2's own use of them may be wrong.
    for (const std::optional<uint32_t> &unit : {units.first, units.last}) {
        if (unit)
            d->requiredUnits.add(static_cast<unsigned char>(*unit));
    }
    if (units.first && units.last && assertedFirstUnitMayMislead(*units.first, *units.last, text)) {
        pcre2_code *plain = compile(text, options | PCRE2_NO_START_OPTIMIZE);
        pcre2_code_free(d->code);
        d->code = plain;
    }

    // Without the JIT the interpreter finds exactly the same matches, only more slowly. After
    // (*NO_JIT) PCRE2 reports success but compiles nothing.
    size_t jitSize = 0;
    // A text that arrives in windows is searched with partial matches, which the JIT compiles
    // apart.
    const uint32_t jitModes = PCRE2_JIT_COMPLETE | (d->streamed ? PCRE2_JIT_PARTIAL_HARD : 0);
    d->jitCompiled = pcre2_jit_compile(d->code, jitModes) == 0 &&
                     pcre2_pattern_info(d->code, PCRE2_INFO_JITSIZE, &jitSize) == 0 && jitSize > 0;
    uint32_t lookbehind = 0;
    pcre2_pattern_info(d->code, PCRE2_INFO_MAXLOOKBEHIND, &lookbehind);
    d->lookback = (std::size_t(utf8.size()) + 2) * (std::size_t(lookbehind) + 1);

    d->matchData = pcre2_match_data_create_from_pattern(d->code, nullptr);
    d->matchContext = pcre2_match_context_create(nullptr);
    if (!d->matchData || !d->matchContext)
        throw std::bad_alloc();
    pcre2_set_heap_limit(d->matchContext, kHeapLimitKiB);
    // Every level of backtracking holds one frame, so the depth limit is the heap limit in frames.
    size_t frameSize = 0;
    pcre2_pattern_info(d->code, PCRE2_INFO_FRAMESIZE, &frameSize);
    pcre2_set_depth_limit(
        d->matchContext, uint32_t(uint64_t(kHeapLimitKiB) * 1024 / std::max<size_t>(frameSize, 1)));
    // The JIT's default stack of 32 KiB is too small for ordinary patterns on long texts.
    d->jitStack = pcre2_jit_stack_create(32 * 1024, 8 * 1024 * 1024, nullptr);
    if (d->jitStack)
        pcre2_jit_stack_assign(d->matchContext, nullptr, d->jitStack);
}

Pattern::~Pattern() = default;

template <typename OnMatch>
bool Pattern::scanMatches(std::string_view subject, Segment segment, Walk &walk,
                          MatchBudget &budget, OnMatch onMatch) const
{
    const PCRE2_SIZE length = subject.size();
    const auto *bytes = reinterpret_cast<const unsigned char *>(subject.data());
    const PCRE2_SIZE *ovector = pcre2_get_ovector_pointer(d->matchData);
    RequiredUnits units = d->requiredUnits;
    PCRE2_SIZE offset = walk.offset;
    for (;;) {
        // The step over one character that the last match asked for, once that character is
        // there.
        if (walk.stepOver) {
            if (offset >= length) {
                walk.offset = offset;
                return !segment.more;
            }
            offset = wholeCharacterAt(subject, offset + sequenceLength(bytes[offset]));
            walk.stepOver = false;
        }
        PCRE2_SIZE resume = offset;
        const Found found = d->find(subject, offset, segment, budget, units, resume);
        if (found == Found::None)
            return true;
        if (found == Found::NeedMore || found == Found::Deferred) {
            walk.offset = resume;
            walk.deferred = found == Found::Deferred;
            return false;
        }
        const PCRE2_SIZE start = ovector[0];
        const PCRE2_SIZE end = ovector[1];
        if (!onMatch(start, end))
            return true;
        // After an empty match the next search starts one character further on. \K can report
        // a match that ends where the search began (or, in lookarounds, even before it); the
        // search steps over one character so that the walk always ends.
        walk.stepOver = start == end || end <= offset;
        // \C matches a single byte and can end a match inside a character; PCRE2 must not be
        // started there (undefined without the UTF check), so the next search begins with the
        // following whole character.
        offset = walk.stepOver ? std::max(end, offset) : wholeCharacterAt(subject, end);
    }
}

qint64 Pattern::countMatches(std::string_view subject, MatchBudget &budget) const
{
    Walk walk;
    walkWindow(subject, true, false, budget, walk);
    return walk.matches;
}

qint64 Pattern::countMatches(std::string_view subject) const
{
    MatchBudget budget(subject.size());
    return countMatches(subject, budget);
}

void Pattern::forEachMatch(
    std::string_view subject, MatchBudget &budget,
    const std::function<void(qsizetype start, qsizetype length)> &onMatch) const
{
    Utf16Positions positions(subject);
    Walk walk;
    scanMatches(subject, Segment{}, walk, budget, [&](PCRE2_SIZE start, PCRE2_SIZE end) {
        const qsizetype from = positions.at(start);
        // A match that reports its end before its start (\K in a lookahead) covers nothing.
        const qsizetype to = end > start ? positions.at(end) : from;
        onMatch(from, to - from);
        return true;
    });
}

void Pattern::forEachMatch(
    std::string_view subject,
    const std::function<void(qsizetype start, qsizetype length)> &onMatch) const
{
    MatchBudget budget(subject.size());
    forEachMatch(subject, budget, onMatch);
}

bool Pattern::matchesAnywhere(std::string_view subject, MatchBudget &budget) const
{
    Walk walk;
    walk.firstOnly = true;
    walkWindow(subject, true, false, budget, walk);
    return walk.matches > 0;
}

bool Pattern::matchesAnywhere(std::string_view subject) const
{
    MatchBudget budget(subject.size());
    return matchesAnywhere(subject, budget);
}

std::size_t Pattern::walkWindow(std::string_view window, bool atTextStart, bool more,
                                MatchBudget &budget, Walk &walk) const
{
    if (walk.ended)
        return window.size();
    // A pattern whose matches depend on where its searches start, or that matches single bytes,
    // is searched in one piece.
    if (more && !d->streamed)
        return 0;
    if (more && walk.deferred)
        return d->lookbackFrom(window, walk.offset);
    const Segment segment{more, !atTextStart};
    walk.ended = scanMatches(window, segment, walk, budget, [&walk](PCRE2_SIZE, PCRE2_SIZE) {
        ++walk.matches;
        return !walk.firstOnly;
    });
    return walk.ended ? window.size() : d->lookbackFrom(window, walk.offset);
}
