#include "search/requiredunits.h"

#include <cstring>

namespace {

unsigned char otherCaseOf(unsigned char unit)
{
    if (unit >= 'a' && unit <= 'z')
        return unit - 'a' + 'A';
    if (unit >= 'A' && unit <= 'Z')
        return unit - 'A' + 'a';
    return unit;
}

// The first of the two units at or after offset; npos for none.
std::size_t findEither(std::string_view subject, std::size_t offset, unsigned char one,
                       unsigned char other)
{
    const char *begin = subject.data() + offset;
    std::size_t length = subject.size() - offset;
    const void *found = std::memchr(begin, one, length);
    // The other case only counts before the first one, which keeps both scans to one stretch.
    if (found)
        length = static_cast<const char *>(found) - begin;
    if (other != one) {
        if (const void *before = std::memchr(begin, other, length))
            found = before;
    }
    return found ? static_cast<std::size_t>(static_cast<const char *>(found) - subject.data())
                 : std::string_view::npos;
}

} // namespace

void RequiredUnits::add(unsigned char unit)
{
    if (m_count < 2)
        m_units[m_count++] = {unit, otherCaseOf(unit)};
}

bool RequiredUnits::occurFrom(std::string_view subject, std::size_t offset)
{
    for (int i = 0; i < m_count; ++i) {
        Unit &unit = m_units[i];
        const bool stale = unit.from == std::string_view::npos || offset < unit.from ||
                           (unit.at != std::string_view::npos && unit.at < offset);
        if (stale) {
            unit.at = findEither(subject, offset, unit.unit, unit.otherCase);
            unit.from = offset;
        }
        if (unit.at == std::string_view::npos)
            return false;
    }
    return true;
}
