#pragma once

#include "search/preparedtext.h"

#include <utility>
#include <vector>

// Outcomes of texts that were worked out before their run began, by the texts' places in the
// run. They are added before the run and taken during it, each at most once, from any thread.
class KnownOutcomes
{
public:
    // Places are added in increasing order.
    void add(int place, PreparedText text);
    bool isEmpty() const { return m_outcomes.empty(); }
    // Moves the outcome of the text at place into out; false when none is known.
    bool take(int place, PreparedText &out);

private:
    std::vector<std::pair<int, PreparedText>> m_outcomes;
};
