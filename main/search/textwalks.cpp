#include "search/textwalks.h"

#include <algorithm>

TextWalks::TextWalks(const Pattern &positive, const Pattern *weighting, const Pattern *exclusion,
                     std::size_t subjectBytes, const std::atomic<bool> *cancelled)
    : m_positivePattern(positive), m_weightingPattern(weighting), m_exclusionPattern(exclusion),
      m_budget(subjectBytes, cancelled), m_othersBudget(subjectBytes, cancelled)
{
    m_exclusion.firstOnly = true;
    m_weighting.ended = !weighting;
    m_exclusion.ended = !exclusion;
}

std::size_t TextWalks::walk(std::string_view window, bool more)
{
    std::size_t done =
        m_positivePattern.walkWindow(window, m_atTextStart, more, m_budget, m_positive);
    done = std::min(done, walkOther(m_weightingPattern, m_weighting, window, more));
    done = std::min(done, walkOther(m_exclusionPattern, m_exclusion, window, more));
    for (Pattern::Walk *walk : {&m_positive, &m_weighting, &m_exclusion}) {
        if (!walk->ended)
            walk->offset -= done;
    }
    if (done > 0)
        m_atTextStart = false;
    return done;
}

std::size_t TextWalks::walkOther(const Pattern *pattern, Pattern::Walk &other,
                                 std::string_view window, bool more)
{
    if (other.ended)
        return window.size();
    try {
        return pattern->walkWindow(window, m_atTextStart, more, m_othersBudget, other);
    } catch (const MatchLimitError &limit) {
        m_othersLimit = limit;
        m_weighting.ended = true;
        m_exclusion.ended = true;
        return window.size();
    }
}
