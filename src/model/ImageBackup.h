#pragma once
// Every image read from a radio is kept as a raw file, so the alignment values as found are
// never lost: $XDG_DATA_HOME/qxt7130-adj/images/ (default ~/.local/share/qxt7130-adj/images/),
// named with the model code, the sub code and the local date and time. A backup that cannot be
// written is reported on standard error and changes nothing else.

#include <ctime>
#include <string>

#include "common/Bytes.h"

namespace qxt::model {

class ImageBackup {
 public:
  static std::string Directory();
  // Returns the file written, or an empty text when it could not be written.
  static std::string Save(const Bytes& image, const std::string& model, const std::string& sub, std::time_t when);
};

}  // namespace qxt::model
