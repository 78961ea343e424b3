#pragma once
// What the figure programs share: a monotonic clock in milliseconds and one row of the Markdown
// table that make bench prints.

#include <time.h>

#include <cstdio>
#include <string>

namespace qxt::bench {

inline double MonotonicMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

inline void Row(const std::string& figure, const std::string& measured, const std::string& target) {
  std::printf("| %s | %s | %s |\n", figure.c_str(), measured.c_str(), target.c_str());
  std::fflush(stdout);
}

}  // namespace qxt::bench
