#include "settings/OptionsLocation.h"

#include <unistd.h>

#include "common/XdgDirectory.h"

namespace qxt::settings {

std::string OptionsLocation::Choose(const std::string& programPath, const std::string& name) {
  const std::string dir = programPath.empty() ? "./" : programPath;
  if (::access((dir + name).c_str(), F_OK) == 0) return programPath;
  if (::access((dir + "CMakeCache.txt").c_str(), F_OK) == 0) return programPath;
  return UserConfigDirectory();
}

std::string OptionsLocation::UserConfigDirectory() {
  return common::XdgDirectory("XDG_CONFIG_HOME", ".config") + "/qxt7130-adj/";
}

}  // namespace qxt::settings
