#pragma once
// The options file as the core reaches it: text values by section and key. The settings
// library's profile file stands behind it in the program; tests use a map.

#include <string>

namespace qxt::common {

class OptionsFile {
 public:
  virtual ~OptionsFile() = default;
  // The key's text, or defaultText when the section, the key or the file is missing.
  virtual std::string ReadKey(const std::string& section, const std::string& key,
                              const std::string& defaultText) const = 0;
  // False when the file cannot be written.
  virtual bool WriteKey(const std::string& section, const std::string& key, const std::string& text) = 0;
};

}  // namespace qxt::common
