#pragma once

#include "errors/qvxerror.h"

#include <QString>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>

// The pattern needs more work on this text than its budget allows, or more memory than PCRE2 may
// take. Its message is the German reason, for example "PCRE2 hat seine Grenze für Suchschritte
// erreicht"; the scans catch it to name the text.
class MatchLimitError : public QvxError
{
public:
    enum Kind
    {
        Steps,
        Memory
    };
    explicit MatchLimitError(Kind kind);
    Kind kind() const { return m_kind; }
    const QString &reason() const { return message(); }

private:
    Kind m_kind;
};

// The work that the searches on one text may do together, over all start positions and all
// patterns.
//
// It is counted in PCRE2's match-limit units. PCRE2 restarts its match limit at every start
// position and does not say how many units a search used, so a search is charged what it may at
// most have spent: its limit per position times the start positions it may have tried. That
// bound is deterministic and ends the searches that backtrack without measure within
// milliseconds. The JIT, however, counts no units while it runs back and forth through a single
// repeated character ("a.*b" over a long line), so the time that the searches take is bounded
// as well, and each search is kept short enough to look at the clock between searches.
class MatchBudget
{
public:
    // The limit per start position that a search tries first; ordinary patterns need a few units.
    static constexpr std::uint32_t kFirstLimit = 64;
    // At most this many units are put at stake in one search: the start positions that one search
    // may try shrink as its limit per position grows.
    static constexpr std::uint64_t kStake = std::uint64_t(1) << 18;
    // A unit of the interpreter takes about eight times as long as a unit of the JIT.
    static constexpr std::uint64_t kInterpreterWeight = 8;

    // A text of subjectBytes UTF-8 bytes gets a fixed allowance plus an amount per byte, of units
    // and of time. Searches whose start positions all stay within kFirstLimit units are charged
    // at most 2 * kFirstLimit units per byte, a small part of the allowance. Once cancelled is
    // set, the budget counts as spent: a search that another thread no longer needs ends soon.
    explicit MatchBudget(std::size_t subjectBytes, const std::atomic<bool> *cancelled = nullptr);
    // The units alone, without the time: what they allow must not depend on the machine's speed.
    static MatchBudget withoutTimeLimit(std::size_t subjectBytes);

    // The number of start positions, at least 1 and at most available, that the next search may
    // try with the given limit per position (weighted for the interpreter); a search that cannot
    // be split gets all of them. Throws MatchLimitError when the budget cannot pay for that.
    std::uint64_t positions(std::uint32_t limit, std::uint64_t weight, std::uint64_t available,
                            bool splittable);

    // Takes the units that a search may have spent; the search was given no more than positions
    // allowed.
    void charge(std::uint64_t units);

    // Called after every search with the start positions it may have tried. Throws
    // MatchLimitError once the time is up; lets the next searches try fewer start positions when
    // the last ones were slow, more when they were quick. A search over few positions is quick
    // unless its pattern is slow at each, so the clock is read only after every few of them.
    void searched(std::uint64_t tried);

    // The limit per position that a search starts with: the one that the last hard start
    // position needed, halved again after a run of searches that found their match with less.
    // A pattern that needs more than kFirstLimit at most of its matches then does not climb the
    // ladder of limits at every one of them.
    std::uint32_t startLimit() const { return m_startLimit; }
    // Called when a search found a match with the given limit per position.
    void found(std::uint32_t limit);

    std::uint64_t remainingUnits() const { return m_units; }

private:
    using Clock = std::chrono::steady_clock;
    const std::atomic<bool> *m_cancelled;
    std::uint64_t m_units;
    Clock::time_point m_deadline;
    Clock::time_point m_lastSearch;
    std::uint64_t m_timeWindow;
    int m_unclocked = 0;
    std::uint32_t m_startLimit = kFirstLimit;
    int m_easySearches = 0;
};
