#pragma once
// Where the options file lives. Beside the program, as always, when it exists there or that
// directory can be written; otherwise (an installed program) in the user's configuration
// directory, $XDG_CONFIG_HOME/qxt7130-adj/ (default ~/.config/qxt7130-adj/).

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
