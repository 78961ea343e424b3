#include "model/ImageFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "memory/clsCmcEeprom.h"

namespace qxt::model {

std::optional<Bytes> ImageFile::Load(const std::string& path, std::string& why) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    why = path + ": cannot be read (" + std::strerror(errno) + ")";
    return std::nullopt;
  }
  // Never more than one byte past an image: a huge file is refused without reading it all.
  Bytes image(static_cast<size_t>(memory::clsCmcEeprom::kDefaultSize) + 1);
  in.read(reinterpret_cast<char*>(image.data()), static_cast<std::streamsize>(image.size()));
  image.resize(static_cast<size_t>(in.gcount()));
  if (image.size() != static_cast<size_t>(memory::clsCmcEeprom::kDefaultSize)) {
    why = path + ": not an image of this radio (an image holds exactly " +
          std::to_string(memory::clsCmcEeprom::kDefaultSize) + " bytes)";
    return std::nullopt;
  }
  return image;
}

bool ImageFile::SaveNew(const std::string& path, const Bytes& image, std::string& why) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) {
    why = path + (errno == EEXIST ? ": exists already; choose another name" : ": cannot be written (") +
          (errno == EEXIST ? "" : std::string(std::strerror(errno)) + ")");
    return false;
  }
  size_t done = 0;
  bool ok = true;
  while (ok && done < image.size()) {
    const ssize_t n = ::write(fd, image.data() + done, image.size() - done);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) done += static_cast<size_t>(n);
  }
  ok = ::fsync(fd) == 0 && ok;
  ok = ::close(fd) == 0 && ok;
  if (!ok) {
    why = path + ": could not be written whole (" + std::strerror(errno) + ")";
    ::unlink(path.c_str());
  }
  return ok;
}

}  // namespace qxt::model
