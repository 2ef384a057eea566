#pragma once

#include <cstddef>
#include <string_view>

// The code units that PCRE2 records as the first and the last one that every match holds, both
// at or after the position where the search for it began. Once one of them no longer occurs in
// the rest of a subject, no later start position can match. PCRE2 checks the last one itself, but
// anew in every search, and a subject searched in windows of start positions would pay that scan
// to the end of the subject once per window.
class RequiredUnits
{
public:
    // PCRE2 does not say whether it recorded a unit caselessly, so an ASCII letter is looked for
    // in both cases; other units it records only as they stand.
    void add(unsigned char unit);

    // Whether every unit occurs at or after offset. A copy serves one subject: where each unit
    // was last found is kept, so rising offsets scan each byte about once.
    bool occurFrom(std::string_view subject, std::size_t offset);

private:
    struct Unit
    {
        unsigned char unit;
        unsigned char otherCase;
        // The offset of the last look, npos before the first, and where it found the unit, npos
        // for nowhere.
        std::size_t from = std::string_view::npos;
        std::size_t at = std::string_view::npos;
    };
    Unit m_units[2];
    int m_count = 0;
};
