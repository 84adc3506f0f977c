#pragma once

// How a fuzz target reports a broken property: a message, then a trap, so
// that libFuzzer stops and keeps the input that broke it.

#include <cstdio>

namespace fuzz {

[[noreturn]] inline void Fail(const char* what) {
  std::fprintf(stderr, "fuzz: %s\n", what);
  std::fflush(stderr);
  __builtin_trap();
}

inline void Require(bool holds, const char* what) {
  if (!holds) Fail(what);
}

}  // namespace fuzz
