// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <cstdlib>

// A broken rule ends the run: libFuzzer keeps the input that broke it as a finding, and the
// corpus replay of the test build fails.
#define FUZZ_CHECK(condition, what)                                                                \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: %s\n", __FILE__, __LINE__, what);                         \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
