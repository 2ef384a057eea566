#pragma once

#include <cstdio>
#include <cstdlib>

// A broken property aborts, so that libFuzzer keeps the input that broke it as a crash file.
inline void require(bool holds, const char *property)
{
    if (holds)
        return;
    std::fprintf(stderr, "Property broken: %s\n", property);
    std::abort();
}
