// Small random patterns over small random texts: Pattern (PCRE2 with the JIT) must find the same
// matches as a plain loop over PCRE2's interpreter, report an invalid pattern as QvxError with
// PCRE2's offset and text, never crash, and end every input within the bound of the work on one
// text: its searches share one budget, as the searches of one text in the search run do. A text
// that arrives in windows must count as the whole text.
//
// Input layout: the first byte gives the pattern's length in bytes (modulo 48), those bytes are
// the pattern in UTF-8, and every further byte picks one character of the text from a small
// alphabet of letters, umlauts, line breaks and a few characters of two, three and four bytes.
#include "errors/qvxerror.h"
#include "fuzzcheck.h"
#include "search/matchbudget.h"
#include "search/pattern.h"
#include "search/textwalks.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <pcre2.h>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr const char *kAlphabet[32] = {
    "a", "b", "c", "x", "A", "B", " ", "\r", "\n", "\r\n", "ä", "ö", "ü", "ß",  "Ä", "€",
    "_", "1", "9", ".", "-", "(", "*", "\t", "e",  "E",    "é", "ÿ", "h", "au", "𝄞", "\\",
};

bool isContinuationByte(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

struct Subject
{
    std::string utf8;
    // UTF-16 position of every byte offset; an offset inside a character counts as the end of
    // that character, which is where a mark of part of it ends or begins.
    std::vector<qsizetype> utf16At;
};

Subject makeSubject(const uint8_t *data, size_t size)
{
    Subject subject;
    subject.utf16At.push_back(0);
    qsizetype position = 0;
    for (size_t i = 0; i < size; ++i) {
        const std::string piece = kAlphabet[data[i] % 32];
        const QString asUtf16 = QString::fromStdString(piece);
        // Record a position for every character of the piece ("\r\n", "au" hold two).
        for (qsizetype c = 0; c < asUtf16.size();) {
            const qsizetype width = asUtf16.at(c).isHighSurrogate() ? 2 : 1;
            subject.utf8 += asUtf16.mid(c, width).toStdString();
            c += width;
            position += width;
            subject.utf16At.resize(subject.utf8.size() + 1, position);
        }
    }
    return subject;
}

// Counts the matches of the text as TextLoader::streamUtf8 hands it on: in windows that each add
// about step bytes, cut only between whole characters and never after a CR (the loader writes
// every line break as CR LF and holds a CR back until it sees what follows).
qint64 countInWindows(const Pattern &pattern, const std::string &text, size_t step)
{
    TextWalks walks(pattern, nullptr, nullptr, text.size(), nullptr);
    std::string window;
    size_t from = 0;
    for (;;) {
        size_t to = std::min(text.size(), from + step);
        while (to < text.size() && (isContinuationByte(text[to]) || text[to - 1] == '\r'))
            ++to;
        window.append(text, from, to - from);
        from = to;
        const bool more = from < text.size();
        window.erase(0, walks.walk(window, more));
        if (!more)
            return walks.positiveMatches();
    }
}

struct Match
{
    qsizetype start;
    qsizetype length;
    bool operator==(const Match &other) const
    {
        return start == other.start && length == other.length;
    }
};

struct Scan
{
    // Failed: PCRE2 ended a search with an error other than a limit, such as a recursion that
    // loops at one position.
    enum Outcome
    {
        Completed,
        LimitHit,
        Failed
    } outcome = Completed;
    std::vector<std::pair<size_t, size_t>> matches;
};

// PCRE2 compiled the way QVX compiles patterns, matched without the JIT. Where no backtracking verb
// may depend on where a search starts, the matches come from a compile without the start
// optimizations, whose faults Pattern has to mend; whether a search fails or hits a limit may
// depend on them, so that comes from the compile as QVX's.
class ReferencePattern
{
public:
    explicit ReferencePattern(const QByteArray &utf8)
    {
        pcre2_compile_context *context = pcre2_compile_context_create(nullptr);
        pcre2_set_newline(context, PCRE2_NEWLINE_ANY);
        m_code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(utf8.constData()),
                               static_cast<PCRE2_SIZE>(utf8.size()), PCRE2_UTF, &m_errorCode,
                               &m_errorOffset, context);
        if (m_code && !utf8.contains("(*"))
            m_unoptimized = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(utf8.constData()),
                                          static_cast<PCRE2_SIZE>(utf8.size()),
                                          PCRE2_UTF | PCRE2_NO_START_OPTIMIZE, &m_errorCode,
                                          &m_errorOffset, context);
        pcre2_compile_context_free(context);
        if (m_code)
            m_matchData = pcre2_match_data_create_from_pattern(m_code, nullptr);
        // Keeps a backtracking pattern from slowing the fuzzer; a search that hits the limit is
        // left out of the comparison.
        m_matchContext = pcre2_match_context_create(nullptr);
        pcre2_set_match_limit(m_matchContext, 1000000);
    }
    ~ReferencePattern()
    {
        pcre2_match_context_free(m_matchContext);
        pcre2_match_data_free(m_matchData);
        pcre2_code_free(m_unoptimized);
        pcre2_code_free(m_code);
    }
    ReferencePattern(const ReferencePattern &) = delete;
    ReferencePattern &operator=(const ReferencePattern &) = delete;

    bool valid() const { return m_code != nullptr; }

    QString compileMessage() const
    {
        PCRE2_UCHAR text[256];
        const int length = pcre2_get_error_message(m_errorCode, text, sizeof text);
        require(length >= 0, "PCRE2 knows its compile error");
        return QString("Fehler in regulärem Ausdruck bei Offset %1: %2")
            .arg(m_errorOffset)
            .arg(QString::fromUtf8(reinterpret_cast<const char *>(text), length));
    }

    Scan scan(const std::string &subject) const
    {
        if (m_unoptimized) {
            Scan result = scanWith(m_unoptimized, subject);
            if (result.outcome == Scan::Completed)
                return result;
        }
        return scanWith(m_code, subject);
    }

private:
    // Searches from offset 0, then from where the previous match ended, and after an empty
    // match from one character further on; a search starts only on a whole character, so after
    // a match that ends inside one (\C matches a single byte) it starts with the next.
    Scan scanWith(const pcre2_code *code, const std::string &subject) const
    {
        Scan result;
        const auto *bytes = reinterpret_cast<PCRE2_SPTR>(subject.data());
        size_t offset = 0;
        for (;;) {
            const int rc =
                pcre2_match(code, bytes, subject.size(), offset, 0, m_matchData, m_matchContext);
            if (rc == PCRE2_ERROR_NOMATCH)
                return result;
            if (rc < 0) {
                const bool limit = rc == PCRE2_ERROR_MATCHLIMIT || rc == PCRE2_ERROR_DEPTHLIMIT ||
                                   rc == PCRE2_ERROR_HEAPLIMIT;
                result.outcome = limit ? Scan::LimitHit : Scan::Failed;
                return result;
            }
            const PCRE2_SIZE *ovector = pcre2_get_ovector_pointer(m_matchData);
            const size_t start = ovector[0];
            const size_t end = ovector[1];
            result.matches.emplace_back(start, end);
            if (start == end && end == subject.size())
                return result;
            size_t next = start == end ? end + 1 : end;
            while (next < subject.size() && isContinuationByte(subject[next]))
                ++next;
            require(next > offset, "each search starts further on than the one before");
            offset = next;
        }
    }

    pcre2_code *m_code = nullptr;
    pcre2_code *m_unoptimized = nullptr;
    pcre2_match_data *m_matchData = nullptr;
    pcre2_match_context *m_matchContext = nullptr;
    int m_errorCode = 0;
    PCRE2_SIZE m_errorOffset = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const size_t patternLength = std::min<size_t>(data[0] % 48, size - 1);
    const QString patternText = QString::fromUtf8(reinterpret_cast<const char *>(data + 1),
                                                  static_cast<qsizetype>(patternLength));
    const Subject subject = makeSubject(data + 1 + patternLength, size - 1 - patternLength);

    const ReferencePattern reference(patternText.toUtf8());
    std::unique_ptr<Pattern> pattern;
    try {
        pattern = std::make_unique<Pattern>(patternText);
    } catch (const QvxError &error) {
        require(!reference.valid(), "Pattern accepts every pattern that PCRE2 accepts");
        require(error.message() == reference.compileMessage(),
                "the compile error names PCRE2's offset and text");
        return 0;
    }
    require(reference.valid(), "Pattern rejects every pattern that PCRE2 rejects");

    const Scan scan = reference.scan(subject.utf8);

    MatchBudget budget(subject.utf8.size());
    const auto began = std::chrono::steady_clock::now();
    // The bound of a text this small is about two seconds; the last search may run over it by
    // what one search can take, and the sanitizers slow the loop around PCRE2.
    const auto withinBound = [&began] {
        require(std::chrono::steady_clock::now() - began < std::chrono::seconds(10),
                "the searches on one text end within the bound");
    };
    if (scan.outcome == Scan::LimitHit) {
        // The reference gave up; Pattern must still end, with a count or at its bound.
        try {
            pattern->countMatches(subject.utf8, budget);
        } catch (const MatchLimitError &) {
        }
        withinBound();
        return 0;
    }
    if (scan.outcome == Scan::Failed) {
        try {
            pattern->countMatches(subject.utf8);
            require(false, "a search that PCRE2 cannot finish is not counted");
        } catch (const QvxError &error) {
            // A MatchLimitError is a QvxError as well, with its reason as message.
            require(!error.message().isEmpty(), "a failed search is reported with a message");
        }
        return 0;
    }
    const auto &expected = scan.matches;

    try {
        require(pattern->countMatches(subject.utf8, budget) == static_cast<qint64>(expected.size()),
                "countMatches counts the matches of the plain loop");
        require(pattern->matchesAnywhere(subject.utf8, budget) == !expected.empty(),
                "matchesAnywhere agrees with the first search of the plain loop");
        for (const size_t step : {1, 3})
            require(countInWindows(*pattern, subject.utf8, step) ==
                        static_cast<qint64>(expected.size()),
                    "a text that arrives in windows counts as the whole text");

        std::vector<Match> positions;
        pattern->forEachMatch(subject.utf8, budget,
                              [&positions](qsizetype start, qsizetype length) {
                                  positions.push_back({start, length});
                              });
        std::vector<Match> expectedPositions;
        for (const auto &[start, end] : expected) {
            const qsizetype from = subject.utf16At.at(start);
            expectedPositions.push_back({from, subject.utf16At.at(end) - from});
        }
        require(positions == expectedPositions,
                "forEachMatch reports the plain loop's matches in UTF-16 positions");
    } catch (const MatchLimitError &) {
        // The JIT counts its limits differently from the interpreter; a limit is no finding.
    }
    withinBound();
    return 0;
}
