#pragma once

#include "search/matchbudget.h"

#include <QString>
#include <cstddef>
#include <functional>
#include <memory>
#include <string_view>

// One compiled pattern: PCRE2 8-bit, UTF mode, newline convention "any", no other option, JIT
// where available. Subjects are valid UTF-8 (they are made from Windows-1252 text).
class Pattern
{
public:
    // Throws QvxError "Fehler in regulärem Ausdruck bei Offset <n>: <PCRE2's English text>",
    // n being the byte offset in the UTF-8 form of the pattern.
    explicit Pattern(const QString &pattern);
    ~Pattern();
    Pattern(const Pattern &) = delete;
    Pattern &operator=(const Pattern &) = delete;

    const QString &source() const { return m_source; }

    // Every search takes its work from budget, which the searches of one text share; the
    // overloads without one give the subject a budget of its own. Throws MatchLimitError when the
    // budget runs out or PCRE2 reaches its memory limits.

    // Counting rule: each search starts where the previous match ended; after an empty match one
    // whole character further on. A subject has at most one match more than bytes, so the count
    // never overflows.
    qint64 countMatches(std::string_view subject, MatchBudget &budget) const;
    qint64 countMatches(std::string_view subject) const;

    // The matches of the counting rule, in order, each as its start and length in UTF-16 code
    // units of the subject; empty matches included.
    void forEachMatch(std::string_view subject, MatchBudget &budget,
                      const std::function<void(qsizetype start, qsizetype length)> &onMatch) const;
    void forEachMatch(std::string_view subject,
                      const std::function<void(qsizetype start, qsizetype length)> &onMatch) const;

    // One search from the start of the subject.
    bool matchesAnywhere(std::string_view subject, MatchBudget &budget) const;
    bool matchesAnywhere(std::string_view subject) const;

    // The counting rule, or one search, over a text that arrives in windows: each window holds
    // the text from some point on, and a window after the first holds the rest of the one before
    // from the offset that walkWindow returned for it.
    struct Walk
    {
        // Where the next search starts, in the current window.
        std::size_t offset = 0;
        qint64 matches = 0;
        // The next search starts one character after offset (after an empty match).
        bool stepOver = false;
        // The rest of the text from offset is searched whole, at its end.
        bool deferred = false;
        // Ends at the first match, as matchesAnywhere does.
        bool firstOnly = false;
        bool ended = false;
    };
    // Goes on with walk through window; atTextStart tells that the window begins with the text,
    // more that the text goes on behind it. A match that more text could change waits for the
    // next window. Returns the first byte of the window that the walk still needs: the text
    // before it may be dropped, and walk.offset moved back with it.
    std::size_t walkWindow(std::string_view window, bool atTextStart, bool more,
                           MatchBudget &budget, Walk &walk) const;

private:
    struct Impl;
    struct Segment
    {
        // The text goes on behind the subject.
        bool more = false;
        // The subject does not begin with the text.
        bool notBol = false;
    };
    // Walks the matches of the counting rule on from walk, while onMatch, given the byte offsets
    // of start and end, returns true. Returns false when the walk needs more text, with walk
    // where it goes on.
    template <typename OnMatch>
    bool scanMatches(std::string_view subject, Segment segment, Walk &walk, MatchBudget &budget,
                     OnMatch onMatch) const;
    QString m_source;
    std::unique_ptr<Impl> d;
};
