#include "search/knownoutcomes.h"

#include <algorithm>

void KnownOutcomes::add(int place, PreparedText text)
{
    m_outcomes.emplace_back(place, std::move(text));
}

bool KnownOutcomes::take(int place, PreparedText &out)
{
    const auto known = std::lower_bound(
        m_outcomes.begin(), m_outcomes.end(), place,
        [](const std::pair<int, PreparedText> &outcome, int p) { return outcome.first < p; });
    if (known == m_outcomes.end() || known->first != place)
        return false;
    out = std::move(known->second);
    return true;
}
