#include "OptionsLocation.h"

#include <unistd.h>

#include <cstdlib>

std::string OptionsLocation::Choose(const std::string& programPath, const std::string& name) {
  if (::access((programPath + name).c_str(), F_OK) == 0) return programPath;
  std::string dir = programPath.empty() ? "." : programPath;
  if (::access(dir.c_str(), W_OK) == 0) return programPath;
  return UserConfigDirectory();
}

std::string OptionsLocation::UserConfigDirectory() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  std::string base;
  if (xdg != nullptr && xdg[0] == '/') {
    base = xdg;
  } else {
    const char* home = std::getenv("HOME");
    base = std::string(home != nullptr ? home : ".") + "/.config";
  }
  return base + "/qxt7130-adj/";
}
