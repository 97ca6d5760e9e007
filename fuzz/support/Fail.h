// How a fuzz target ends its run as a crash does: the text on standard error,
// then abort, which libFuzzer takes as a finding and keeps the input of.
// For a harness that cannot go on, and for a promise of the code under test
// that an input broke.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace corvanis_fuzz {

[[noreturn]] inline void Fail(const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
    std::abort();
}

}  // namespace corvanis_fuzz
