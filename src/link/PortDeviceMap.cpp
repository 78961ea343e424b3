#include "link/PortDeviceMap.h"

#include <cctype>
#include <filesystem>

namespace qxt::link {

bool PortDeviceMap::addOverride(const std::string& mapping) {
  size_t eq = mapping.find('=');
  if (eq == std::string::npos || eq < 4 || eq + 1 >= mapping.size()) return false;
  std::string name = mapping.substr(0, eq);
  for (auto& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (name.rfind("COM", 0) != 0) return false;
  std::string digits = name.substr(3);
  if (digits.empty() || digits.size() > 2) return false;
  for (char c : digits) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  }
  const int number = std::stoi(digits);
  if (number < 1 || number > kLast) return false;  // no such COM port: it would never be used
  overrides_[static_cast<int16_t>(number)] = mapping.substr(eq + 1);
  return true;
}

std::string PortDeviceMap::devicePath(int16_t port, const common::OptionsFile& options) const {
  std::string path;
  if (auto it = overrides_.find(port); it != overrides_.end()) {
    path = it->second;
  } else {
    path = options.ReadKey("PORTS", "COM" + std::to_string(port), "");
    if (path.empty()) path = "/dev/ttyUSB" + std::to_string(port - 1);
  }
  std::error_code ec;
  auto canonical = std::filesystem::canonical(path, ec);
  return ec ? path : canonical.string();
}

bool PortDeviceMap::mapped(int16_t port, const common::OptionsFile& options) const {
  return overrides_.count(port) != 0 || !options.ReadKey("PORTS", "COM" + std::to_string(port), "").empty();
}

int16_t PortDeviceMap::numberFor(const std::string& path, const common::OptionsFile& options) const {
  std::error_code ec;
  auto wanted = std::filesystem::canonical(path, ec);
  const std::string target = ec ? path : wanted.string();
  for (int16_t n = 1; n <= kLast; ++n) {
    if (mapped(n, options) && devicePath(n, options) == target) return n;
  }
  for (int16_t n = kFirstExtra; n <= kLast; ++n) {
    if (!mapped(n, options)) return n;
  }
  return kLast;
}

}  // namespace qxt::link
