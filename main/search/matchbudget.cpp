#include "search/matchbudget.h"

#include <algorithm>

namespace {

constexpr std::uint64_t kBaseUnits = std::uint64_t(64) << 20;
constexpr std::uint64_t kUnitsPerByte = 16 * MatchBudget::kFirstLimit;

// About two seconds for a text of 1 MB, and time for ordinary searches on long ones.
constexpr std::chrono::milliseconds kBaseTime(1500);
constexpr std::chrono::nanoseconds kTimePerByte(500);

// A search may run from each of its start positions through the rest of the text without being
// counted (see the class comment), so the first one of a text tries no more positions than make
// this many bytes; a short text is then searched at once, a long one grows its window as its
// searches prove quick.
constexpr std::uint64_t kFirstWindowBytes = std::uint64_t(1) << 22;
constexpr std::uint64_t kFirstWindowMax = 4096;

// Searches that take longer than this shrink the start positions of the next one.
constexpr std::chrono::milliseconds kSlowSearch(10);
constexpr std::chrono::milliseconds kQuickSearch(1);

// Searches over fewer start positions than this are timed together, up to this many at once.
constexpr std::uint64_t kFewPositions = 8;
constexpr int kUnclockedSearches = 32;

// After this many searches in a row that found their match below the start limit, it is halved.
constexpr int kEasySearches = 32;

} // namespace

MatchLimitError::MatchLimitError(Kind kind)
    : QvxError(kind == Steps
                   ? QStringLiteral("PCRE2 hat seine Grenze für Suchschritte erreicht")
                   : QStringLiteral("PCRE2 hat seine Grenze für Arbeitsspeicher erreicht")),
      m_kind(kind)
{
}

MatchBudget::MatchBudget(std::size_t subjectBytes, const std::atomic<bool> *cancelled)
    : m_cancelled(cancelled), m_units(kBaseUnits + kUnitsPerByte * subjectBytes),
      m_lastSearch(Clock::now())
{
    m_deadline = m_lastSearch + kBaseTime + kTimePerByte * subjectBytes;
    m_timeWindow = std::clamp<std::uint64_t>(
        kFirstWindowBytes / std::max<std::size_t>(subjectBytes, 1), 1, kFirstWindowMax);
}

MatchBudget MatchBudget::withoutTimeLimit(std::size_t subjectBytes)
{
    MatchBudget budget(subjectBytes);
    budget.m_deadline = Clock::time_point::max();
    return budget;
}

std::uint64_t MatchBudget::positions(std::uint32_t limit, std::uint64_t weight,
                                     std::uint64_t available, bool splittable)
{
    const std::uint64_t affordable = m_units / (std::uint64_t(limit) * weight);
    if (!splittable) {
        if (affordable < available)
            throw MatchLimitError(MatchLimitError::Steps);
        return available;
    }
    const std::uint64_t staked = std::max<std::uint64_t>(kStake / limit, 1);
    const std::uint64_t result = std::min({available, affordable, staked, m_timeWindow});
    if (result == 0)
        throw MatchLimitError(MatchLimitError::Steps);
    return result;
}

void MatchBudget::charge(std::uint64_t units)
{
    m_units -= std::min(units, m_units);
}

void MatchBudget::searched(std::uint64_t tried)
{
    // Looked at after every search, so that a cancelled run ends within one search.
    if (m_cancelled && m_cancelled->load(std::memory_order_relaxed))
        throw MatchLimitError(MatchLimitError::Steps);
    if (tried < kFewPositions && ++m_unclocked < kUnclockedSearches)
        return;
    m_unclocked = 0;
    const Clock::time_point now = Clock::now();
    if (now > m_deadline)
        throw MatchLimitError(MatchLimitError::Steps);
    const Clock::duration took = now - m_lastSearch;
    m_lastSearch = now;
    if (took > kSlowSearch)
        m_timeWindow = std::max<std::uint64_t>(m_timeWindow / 4, 1);
    else if (took < kQuickSearch && m_timeWindow < (std::uint64_t(1) << 40))
        m_timeWindow *= 2;
}

void MatchBudget::found(std::uint32_t limit)
{
    if (limit > m_startLimit) {
        m_startLimit = limit;
        m_easySearches = 0;
    } else if (++m_easySearches >= kEasySearches) {
        m_startLimit = std::max(m_startLimit / 2, kFirstLimit);
        m_easySearches = 0;
    }
}
