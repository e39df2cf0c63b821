#pragma once
// A check that holds in every build: a fuzz target's failed expectation must
// stop the run like a crash, so libFuzzer saves the input.
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                            \
  do {                                                                   \
    if (!(condition)) {                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, \
                   #condition);                                          \
      std::abort();                                                      \
    }                                                                    \
  } while (0)
