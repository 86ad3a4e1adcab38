#pragma once
// How a fuzz target reports a broken property: a message, then abort, which libFuzzer takes
// as a finding and saves the input for.

#include <cstdio>
#include <cstdlib>

inline void require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}
