#include "common/PrivateFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

namespace qxt::common {

bool MakePrivateDirectory(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  // Each folder this call creates is private from its first moment; the ones that were there
  // (the user's own ~/.local/share) keep their modes, except the one asked for.
  fs::path missing = fs::path(path);
  std::vector<fs::path> created;
  while (!missing.empty() && !fs::exists(missing, ec)) {
    created.push_back(missing);
    missing = missing.parent_path();
  }
  for (auto it = created.rbegin(); it != created.rend(); ++it) {
    if (::mkdir(it->c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  return ::chmod(path.c_str(), 0700) == 0;
}

bool MakePrivateFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  const bool ok = ::fchmod(fd, 0600) == 0;
  ::close(fd);
  return ok;
}

std::FILE* OpenPrivate(const std::string& path, const char* mode) {
  const bool append = std::strchr(mode, 'a') != nullptr;
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | (append ? O_APPEND : O_TRUNC), 0600);
  if (fd < 0) return nullptr;
  ::fchmod(fd, 0600);
  std::FILE* file = ::fdopen(fd, append ? "a" : "w");
  if (file == nullptr) ::close(fd);
  return file;
}

}  // namespace qxt::common
