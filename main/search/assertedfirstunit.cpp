#include "search/assertedfirstunit.h"

#include <cstdint>

namespace {

bool recordedUnit(const pcre2_code *code, uint32_t typeInfo, uint32_t unitInfo, uint32_t &unit)
{
    uint32_t type = 0;
    return pcre2_pattern_info(code, typeInfo, &type) == 0 && type == 1 &&
           pcre2_pattern_info(code, unitInfo, &unit) == 0;
}

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

bool assertedFirstUnitMayMislead(const pcre2_code *code, std::string_view pattern)
{
    uint32_t first = 0;
    uint32_t last = 0;
    return recordedUnit(code, PCRE2_INFO_FIRSTCODETYPE, PCRE2_INFO_FIRSTCODEUNIT, first) &&
           recordedUnit(code, PCRE2_INFO_LASTCODETYPE, PCRE2_INFO_LASTCODEUNIT, last) &&
           foldedAscii(first) == foldedAscii(last) && mayHavePositiveLookahead(pattern);
}
