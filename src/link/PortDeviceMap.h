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
  // Takes "COMn=PATH" with n from 1 to kLast; false when the text is not of that form.
  bool addOverride(const std::string& mapping);
  void setOverride(int16_t port, const std::string& path) { overrides_[port] = path; }

  std::string devicePath(int16_t port, const common::OptionsFile& options) const;
  // Whether COM port has a device of its own: a mapping for this run or in [PORTS].
  bool mapped(int16_t port, const common::OptionsFile& options) const;
  // The COM number for a device chosen by path: the one it is mapped to already, else the first
  // of COM 5 to COM 10 without a mapping, else COM 10.
  int16_t numberFor(const std::string& path, const common::OptionsFile& options) const;

  static constexpr int16_t kFirstExtra = 5, kLast = 10;

 private:
  std::map<int16_t, std::string> overrides_;
};

}  // namespace qxt::link
