#pragma once
// Image files on disk: raw 32112-byte copies of a radio's memory.

#include <optional>
#include <string>

#include "common/Bytes.h"

namespace qxt::adjust {

class ImageFile {
 public:
  // The image in path; nullopt, with why set, when it cannot be read, is not a regular file (a
  // FIFO, a device or a folder is refused at once, never waited on) or is not 32112 bytes.
  static std::optional<Bytes> Load(const std::string& path, std::string& why);
  // Whether SaveNew could make path: nothing there yet and its folder writable; false, with why
  // set as SaveNew would say it, when not. Checked before a long read, so it fails at once.
  static bool CanCreate(const std::string& path, std::string& why);
  // Writes a new file (an existing one is never replaced); false, with why set, when it cannot.
  static bool SaveNew(const std::string& path, const Bytes& image, std::string& why);
  // Writes path afresh (replacing it), for the user only, and syncs it to the disk.
  static bool WriteDurably(const std::string& path, const Bytes& data, std::string& why);
  // Syncs a folder, so that a file just renamed into it keeps its name after a power cut.
  static bool SyncFolder(const std::string& dir);
};

}  // namespace qxt::adjust
