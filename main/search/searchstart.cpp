#include "search/searchstart.h"

#include <algorithm>
#include <iterator>

namespace {

// Settings at the start of a pattern that change what it matches or how PCRE2 goes about it, the
// same at every offset. (*NOTEMPTY_ATSTART) is not among them: it refuses an empty match at the
// offset where a search begins, and every window of start positions begins a search of its own.
constexpr std::string_view kSettings[] = {"UTF",
                                          "UCP",
                                          "CR",
                                          "LF",
                                          "CRLF",
                                          "ANYCRLF",
                                          "ANY",
                                          "NUL",
                                          "BSR_ANYCRLF",
                                          "BSR_UNICODE",
                                          "NOTEMPTY",
                                          "NO_AUTO_POSSESS",
                                          "NO_DOTSTAR_ANCHOR",
                                          "NO_JIT",
                                          "NO_START_OPT"};

// Limits can only lower the budget's own limits, which the search reports like any other limit.
constexpr std::string_view kLimits[] = {
    "LIMIT_DEPTH=", "LIMIT_HEAP=", "LIMIT_MATCH=", "LIMIT_RECURSION="};

bool isDigits(std::string_view text)
{
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool isStartSetting(std::string_view name)
{
    if (std::find(std::begin(kSettings), std::end(kSettings), name) != std::end(kSettings))
        return true;
    return std::any_of(std::begin(kLimits), std::end(kLimits), [name](std::string_view limit) {
        return name.substr(0, limit.size()) == limit && isDigits(name.substr(limit.size()));
    });
}

// PCRE2 reads settings only in a row at the very start of the pattern.
std::string_view::size_type afterStartSettings(std::string_view pattern)
{
    std::string_view::size_type at = 0;
    while (pattern.substr(at, 2) == "(*") {
        const auto close = pattern.find(')', at);
        if (close == std::string_view::npos ||
            !isStartSetting(pattern.substr(at + 2, close - at - 2)))
            break;
        at = close + 1;
    }
    return at;
}

// The alpha assertions ((*pla:...), (*atomic:...), (*sr:...)) are named in lower case; PCRE2
// knows no verb in lower case, and (*:NAME) starts with the colon.
bool isAlphaAssertion(std::string_view afterOpening)
{
    const auto name = std::find_if(afterOpening.begin(), afterOpening.end(),
                                   [](char c) { return !((c >= 'a' && c <= 'z') || c == '_'); });
    return name != afterOpening.begin() && name != afterOpening.end() && *name == ':';
}

// Character classes are told apart only where the pattern holds nothing else that PCRE2 reads
// past a "[" without opening a class: a quote (\Q...\E), a comment ((?#...), or # in extended
// mode) or a callout's text ((?C"...")). A "[" inside a class, which may open a POSIX name such as
// [:alpha:], ends the telling apart too. From then on every "(*" counts as a verb.
bool mayTellClassesApart(std::string_view pattern)
{
    for (const std::string_view blocker : {"\\Q", "\\E", "#", "(?C"}) {
        if (pattern.find(blocker) != std::string_view::npos)
            return false;
    }
    return true;
}

// Reads the pattern from its settings on; classes true tells a "(*" inside a character class,
// which is plain text, from one outside.
bool holdsStartDependence(std::string_view pattern, bool classes)
{
    bool inClass = false;
    auto classStart = std::string_view::npos;
    for (auto at = afterStartSettings(pattern); at < pattern.size(); ++at) {
        const char c = pattern[at];
        if (c == '\\') {
            const char escaped = at + 1 < pattern.size() ? pattern[at + 1] : '\0';
            if (escaped == 'G')
                return true;
            // \cX takes the next character whatever it is: "\c\(*COMMIT)" holds a verb.
            at += escaped == 'c' ? 2 : 1;
        } else if (inClass) {
            if (c == '[')
                return holdsStartDependence(pattern, false);
            // "]" right after "[" or "[^" is a member of the class.
            if (c == ']' && at != classStart && !(at == classStart + 1 && pattern[at - 1] == '^'))
                inClass = false;
        } else if (c == '[' && classes) {
            inClass = true;
            classStart = at + 1;
        } else if (pattern.substr(at, 2) == "(*" && !isAlphaAssertion(pattern.substr(at + 2))) {
            return true;
        }
    }
    // A class left open makes an invalid pattern, which is refused anyway.
    return inClass;
}

} // namespace

bool dependsOnSearchStart(std::string_view pattern)
{
    // Escapes are read as PCRE2 reads them, whatever else surrounds them: none of the places
    // where a backslash means itself (comments, callout texts) can end so that a following "("
    // looks escaped.
    return holdsStartDependence(pattern, mayTellClassesApart(pattern));
}
