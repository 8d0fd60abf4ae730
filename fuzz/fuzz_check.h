// CHECK(condition) for the fuzz harnesses: stops the run, naming the file, the line and the
// condition that failed, so that libFuzzer keeps the input as a crash.
#pragma once

#include <cstdio>
#include <cstdlib>

#define CHECK(condition)                                                         \
    do {                                                                         \
        if (!(condition)) {                                                      \
            std::fprintf(stderr, "%s:%d: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                        \
        }                                                                        \
    } while (false)
