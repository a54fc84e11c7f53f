#pragma once
// A failed check in a fuzzer: say which, then abort so that libFuzzer keeps the input.

#include <cstdio>
#include <cstdlib>

#define PIXMILL_FUZZ_CHECK(condition)                                                          \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)
