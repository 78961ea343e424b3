#pragma once
// The resident memory of this process, for the soak that watches it stay bounded.
#include <fstream>
#include <string>

namespace qxt::test {

inline long ResidentKb() {
  std::ifstream in("/proc/self/status");
  std::string key;
  long kb = 0;
  while (in >> key) {
    if (key == "VmRSS:") return in >> kb, kb;
    in.ignore(1 << 16, '\n');
  }
  return kb;
}

}  // namespace qxt::test
