#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace quarvel::fuzzing {

// A broken rule aborts at once: libFuzzer keeps the input that broke it, and
// the corpus replay fails its test.
[[noreturn]] inline void fail(const std::string &what)
{
    std::fprintf(stderr, "broken rule: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

} // namespace quarvel::fuzzing
