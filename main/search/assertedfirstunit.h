#pragma once

#include <cstdint>
#include <string_view>

// PCRE2 before 10.45 may take the first code unit of a match from a lookahead at the pattern's
// start. Where that unit is also the last one it records, it wrongly takes both for two units of
// every match, so a match of one character, as "a" for "(?=a)b?a", is never found. Whether the
// first unit came from a lookahead PCRE2 does not say; the pattern's text tells whether it may
// have (a literal "(?=" only costs the start optimizations). first and last are the units PCRE2
// recorded.
bool assertedFirstUnitMayMislead(uint32_t first, uint32_t last, std::string_view pattern);
