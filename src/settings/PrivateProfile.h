#pragma once
// The two profile-string operations of an INI-style file: section and key names match without
// regard to case, an absent key yields the default, at most size - 1 characters are returned,
// and a write creates the file, section or key when missing while keeping everything else
// (other sections, keys, comments and their order). Writes go to a temporary file in the same
// folder that is then renamed over the file, so a crash never leaves a truncated file.
//
// A file is read once and kept, parsed, until it changes on disk (its size or time). A file over
// kMaxBytes, or one that does not read as INI text (Readable), is no options file: it reads as
// absent and is never rewritten. Every value is one line: a section, key or value holding a line
// break is refused, so no text can bring sections and keys of its own into the file.

#include <cstdint>
#include <string>

namespace qxt::settings {

class PrivateProfile {
 public:
  static constexpr uintmax_t kMaxBytes = 1 << 20;

  // Copies the key's text, or the default when the key (or the file) is absent, into out, cut
  // to size - 1 characters; returns the number of characters copied.
  // Whether text reads as an options file: no control characters but tab and line ends, and
  // every line blank, a comment, a [SECTION] or a KEY=VALUE.
  static bool Readable(const std::string& text);
  // False, with why ("holds ... bytes", "is not an options file ..."), for a file that exists but
  // is no options file.
  static bool Usable(const std::string& file, std::string& why);

  static int GetString(const std::string& section, const std::string& key, const std::string& defaultText,
                       std::string& out, int size, const std::string& file);

  // Returns false when the file cannot be written, or when section, key or text holds a line
  // break (or the section a "]", the key a "=").
  static bool WriteString(const std::string& section, const std::string& key, const std::string& text,
                          const std::string& file);
};

}  // namespace qxt::settings
