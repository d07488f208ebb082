// A property that does not hold is a finding: report it and stop.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition, message)                                                    \
  do {                                                                                    \
    if (!(condition)) {                                                                   \
      std::fprintf(stderr, "property failed: %s (%s:%d)\n", message, __FILE__, __LINE__); \
      std::abort();                                                                       \
    }                                                                                     \
  } while (0)
