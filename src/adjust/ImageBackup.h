#pragma once
// Every image read from a radio is kept as a raw file, so the alignment values as found are
// never lost: $XDG_DATA_HOME/qxt7130-adj/images/ (default ~/.local/share/qxt7130-adj/images/),
// named with the model code, the sub code and the local date and time. All are kept (they are
// the radio's history); a read identical to the newest backup of the same model and sub code is
// not written again. A file appears whole or not at all.

#include <ctime>
#include <string>

#include "common/Bytes.h"

namespace qxt::adjust {

class ImageBackup {
 public:
  struct Saved {
    std::string path;     // the backup holding the image; empty when none could be written
    std::string error;    // why not
    bool reused = false;  // the newest backup already held these bytes
  };

  // Ends the name of a backup read from a radio whose last restore did not end verified.
  static constexpr const char* kAfterUnfinishedRestore = "-after-unfinished-restore";

  static std::string Directory();
  // mark: added to the name (kAfterUnfinishedRestore or ""). The file and its folder are synced
  // before the file takes its name, so after a power cut a backup is whole or absent.
  static Saved Save(const Bytes& image, const std::string& model, const std::string& sub, std::time_t when,
                    const std::string& mark = "");
  // The newest backup of a model and sub code ("" when there is none).
  static std::string Newest(const std::string& model, const std::string& sub);
};

}  // namespace qxt::adjust
