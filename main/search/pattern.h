#pragma once

#include "search/matchbudget.h"

#include <QString>
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

private:
    struct Impl;
    // Walks the matches of the counting rule; onMatch gets byte offsets of start and end.
    template <typename OnMatch>
    void scanMatches(std::string_view subject, MatchBudget &budget, OnMatch onMatch) const;
    QString m_source;
    std::unique_ptr<Impl> d;
};
