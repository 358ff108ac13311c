// What a fuzz target holds the code to beyond "no crash": a broken property
// names itself on stderr and aborts, so libFuzzer keeps the input as a crash
// and the log says which promise the code broke.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                               \
  do {                                                                                      \
    if (!(condition)) {                                                                     \
      std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                         \
    }                                                                                       \
  } while (false)
