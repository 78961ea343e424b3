#pragma once
// Which device a COM port number opens on Linux: a mapping given for this run
// (--port-device COMn=PATH), else key "COMn" of section "PORTS" in the options file, else
// /dev/ttyUSB(n-1). Symbolic links are resolved, so that the lock of a port taken through a
// link and through its target is the same lock.

#include <cstdint>
#include <map>
#include <string>

#include "common/OptionsFile.h"

namespace qxt::link {

class PortDeviceMap {
 public:
  // Takes "COMn=PATH"; false when the text is not of that form.
  bool addOverride(const std::string& mapping);
  void setOverride(int16_t port, const std::string& path) { overrides_[port] = path; }

  std::string devicePath(int16_t port, const common::OptionsFile& options) const;

 private:
  std::map<int16_t, std::string> overrides_;
};

}  // namespace qxt::link
