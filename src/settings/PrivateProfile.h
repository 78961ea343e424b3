#pragma once
// The two profile-string operations of an INI-style file: section and key names match without
// regard to case, an absent key yields the default, at most size - 1 characters are returned,
// and a write creates the file, section or key when missing while keeping everything else
// (other sections, keys, comments and their order). Writes go to a temporary file in the same
// folder that is then renamed over the file, so a crash never leaves a truncated file.
//
// A file is read once and kept, parsed, until it changes on disk (its size or time). A file over
// kMaxBytes is no options file: it reads as absent and is never rewritten.

#include <cstdint>
#include <string>

namespace qxt::settings {

class PrivateProfile {
 public:
  static constexpr uintmax_t kMaxBytes = 1 << 20;

  // Copies the key's text, or the default when the key (or the file) is absent, into out, cut
  // to size - 1 characters; returns the number of characters copied.
  static int GetString(const std::string& section, const std::string& key, const std::string& defaultText,
                       std::string& out, int size, const std::string& file);

  // Returns false when the file cannot be written.
  static bool WriteString(const std::string& section, const std::string& key, const std::string& text,
                          const std::string& file);
};

}  // namespace qxt::settings
