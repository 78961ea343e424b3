#pragma once
// Where the options file lives. Beside the program when it exists there, or when the program
// runs from its build folder (which holds CMakeCache.txt); otherwise, as for every installed
// program, in the user's configuration directory, $XDG_CONFIG_HOME/qxt7130-adj/ (default
// ~/.config/qxt7130-adj/). An installed program never writes beside its binary, even as root.

#include <string>

namespace qxt::settings {

class OptionsLocation {
 public:
  // programPath ends with a separator; returns the directory to use, ending with "/".
  static std::string Choose(const std::string& programPath, const std::string& name);
  // $XDG_CONFIG_HOME/qxt7130-adj/ or ~/.config/qxt7130-adj/.
  static std::string UserConfigDirectory();
};

}  // namespace qxt::settings
