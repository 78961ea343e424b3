#pragma once
// Image files on disk: raw 32112-byte copies of a radio's memory.

#include <optional>
#include <string>

#include "common/Bytes.h"

namespace qxt::model {

class ImageFile {
 public:
  // The image in path; nullopt, with why set, when it cannot be read or is not 32112 bytes.
  static std::optional<Bytes> Load(const std::string& path, std::string& why);
  // Writes a new file (an existing one is never replaced); false, with why set, when it cannot.
  static bool SaveNew(const std::string& path, const Bytes& image, std::string& why);
};

}  // namespace qxt::model
