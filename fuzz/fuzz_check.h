// How a fuzz target says that an input broke a rule: the rule and where, on
// stderr, then abort(), which both libFuzzer and the replay test count as a
// finding (the sanitizers report crashes of their own).
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                           \
  do {                                                                                  \
    if (!(condition)) {                                                                 \
      std::fprintf(stderr, "%s:%d: rule broken: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                     \
    }                                                                                   \
  } while (false)
