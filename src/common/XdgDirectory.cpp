#include "common/XdgDirectory.h"

#include <cstdlib>

namespace qxt::common {

std::string XdgDirectory(const char* variable, const char* fallbackUnderHome) {
  const char* value = std::getenv(variable);
  if (value != nullptr && value[0] == '/') return value;
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr ? home : ".") + "/" + fallbackUnderHome;
}

}  // namespace qxt::common
