#pragma once

#include <string_view>

// Whether what a pattern matches may depend on where a search begins, not only on the start
// positions that it tries: \G, the backtracking verbs ((*COMMIT), (*SKIP), (*MARK:...), ...) and
// (*NOTEMPTY_ATSTART). Such a pattern has to be searched in one piece; any other may be split
// into windows of start positions. Reads the pattern's text without compiling it and answers
// true wherever the text leaves room for doubt.
bool dependsOnSearchStart(std::string_view pattern);
