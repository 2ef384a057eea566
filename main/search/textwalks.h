#pragma once

#include "search/matchbudget.h"
#include "search/pattern.h"

#include <atomic>
#include <cstddef>
#include <optional>
#include <string_view>

// The walks of the regular-expression mode through one text that arrives in windows (see
// TextLoader::streamUtf8): the positive pattern's, and alongside it those of the weighting and
// the exclusion pattern, either of which may be missing.
//
// The positive pattern has a budget of its own, as it has on a text that it searches first and
// alone; the weighting and the exclusion pattern share another. What they meet only counts when
// the positive pattern matches, so their reaching a limit is kept for the caller, not thrown.
class TextWalks
{
public:
    // subjectBytes sizes the budgets (see MatchBudget).
    TextWalks(const Pattern &positive, const Pattern *weighting, const Pattern *exclusion,
              std::size_t subjectBytes, const std::atomic<bool> *cancelled);

    // Walks on through window, which goes on from what the last call kept; more tells that the
    // text goes on behind it. Returns how many bytes at the window's start no walk needs any
    // more. Throws MatchLimitError when the positive pattern reaches a limit.
    std::size_t walk(std::string_view window, bool more);

    qint64 positiveMatches() const { return m_positive.matches; }
    bool weighted() const { return m_weightingPattern != nullptr; }
    qint64 weightingMatches() const { return m_weighting.matches; }
    bool excluded() const { return m_exclusion.matches > 0; }
    // The limit that the weighting or the exclusion pattern reached, if one did.
    const std::optional<MatchLimitError> &othersLimit() const { return m_othersLimit; }

private:
    // Walks other on with the others' budget; returns the first byte of the window it needs.
    std::size_t walkOther(const Pattern *pattern, Pattern::Walk &other, std::string_view window,
                          bool more);

    const Pattern &m_positivePattern;
    const Pattern *m_weightingPattern;
    const Pattern *m_exclusionPattern;
    MatchBudget m_budget;
    MatchBudget m_othersBudget;
    Pattern::Walk m_positive;
    Pattern::Walk m_weighting;
    Pattern::Walk m_exclusion;
    std::optional<MatchLimitError> m_othersLimit;
    bool m_atTextStart = true;
};
