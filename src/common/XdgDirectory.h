#pragma once
// A base directory of the user's: the variable's value when it holds an absolute path, else the
// fallback under $HOME ("XDG_CONFIG_HOME" falls back to ".config", "XDG_DATA_HOME" to
// ".local/share").

#include <string>

namespace qxt::common {

std::string XdgDirectory(const char* variable, const char* fallbackUnderHome);

}  // namespace qxt::common
