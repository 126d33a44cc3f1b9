// Stops a fuzz run with a message when a property of the code under test does not hold.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace fuzzcheck {

inline void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "fuzz property failed: %s\n", what);
  std::abort();
}

}  // namespace fuzzcheck
