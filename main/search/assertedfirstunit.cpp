#include "search/assertedfirstunit.h"

namespace {

// PCRE2 does not say whether it recorded a unit caselessly.
uint32_t foldedAscii(uint32_t unit)
{
    return unit >= 'A' && unit <= 'Z' ? unit - 'A' + 'a' : unit;
}

bool mayHavePositiveLookahead(std::string_view pattern)
{
    const auto has = [pattern](std::string_view part) {
        return pattern.find(part) != std::string_view::npos;
    };
    // "pla:" also finds "(*napla:", "positive_lookahead:" the non-atomic long name.
    return has("(?=") || has("(?*") || (has("(*") && (has("pla:") || has("positive_lookahead:")));
}

} // namespace

bool assertedFirstUnitMayMislead(uint32_t first, uint32_t last, std::string_view pattern)
{
    return foldedAscii(first) == foldedAscii(last) && mayHavePositiveLookahead(pattern);
}
