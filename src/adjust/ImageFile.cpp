#include "adjust/ImageFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/Translate.h"
#include "memory/clsCmcEeprom.h"

namespace qxt::adjust {

namespace {

// Writes all of data; false (errno set) when the file takes less.
bool WriteAll(int fd, const Bytes& data) {
  size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// Writes, syncs and closes fd; on failure why is the system's reason.
bool Finish(int fd, const Bytes& data, std::string& why) {
  const bool written = WriteAll(fd, data) && ::fsync(fd) == 0;
  const int error = errno;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed) why = std::strerror(written ? errno : error);
  return written && closed;
}

std::string CannotRead(const std::string& path) {
  return common::Compose(common::TrNoop("qxt", "%1: cannot be read (%2)"), {path, std::strerror(errno)});
}

}  // namespace

std::optional<Bytes> ImageFile::Load(const std::string& path, std::string& why) {
  // Opened without waiting: a FIFO would otherwise block here until a writer came.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    why = CannotRead(path);
    return std::nullopt;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    const char* kind = S_ISDIR(st.st_mode)    ? common::TrNoop("qxt", "a folder")
                       : S_ISFIFO(st.st_mode) ? common::TrNoop("qxt", "a pipe")
                                              : common::TrNoop("qxt", "a device or other special file");
    why = common::Compose(common::TrNoop("qxt", "%1: not a regular file (%2); an image is a file of exactly %3 bytes"),
                          {path, kind, std::to_string(memory::clsCmcEeprom::kDefaultSize)});
    return std::nullopt;
  }
  // Never more than one byte past an image: a huge file is refused without reading it all.
  Bytes image(static_cast<size_t>(memory::clsCmcEeprom::kDefaultSize) + 1);
  size_t got = 0;
  while (got < image.size()) {
    const ssize_t n = ::read(fd, image.data() + got, image.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      why = CannotRead(path);
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  ::close(fd);
  image.resize(got);
  if (image.size() != static_cast<size_t>(memory::clsCmcEeprom::kDefaultSize)) {
    why = common::Compose(common::TrNoop("qxt", "%1: not an image of this radio (an image holds exactly %2 bytes)"),
                          {path, std::to_string(memory::clsCmcEeprom::kDefaultSize)});
    return std::nullopt;
  }
  return image;
}

bool ImageFile::CanCreate(const std::string& path, std::string& why) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0) {
    why = path + ": exists already; choose another name";
    return false;
  }
  if (errno != ENOENT) {
    why = path + ": cannot be written (" + std::strerror(errno) + ")";
    return false;
  }
  const size_t slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  if (::access(folder.c_str(), W_OK | X_OK) != 0) {
    why = path + ": cannot be written (" + folder + ": " + std::strerror(errno) + ")";
    return false;
  }
  return true;
}

bool ImageFile::SaveNew(const std::string& path, const Bytes& image, std::string& why) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) {
    why = path + (errno == EEXIST ? ": exists already; choose another name" : ": cannot be written (") +
          (errno == EEXIST ? "" : std::string(std::strerror(errno)) + ")");
    return false;
  }
  if (!Finish(fd, image, why)) {
    why = path + ": could not be written whole (" + why + ")";
    ::unlink(path.c_str());
    return false;
  }
  return true;
}

bool ImageFile::WriteDurably(const std::string& path, const Bytes& data, std::string& why) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) {
    why = std::strerror(errno);
    return false;
  }
  return Finish(fd, data, why);
}

bool ImageFile::SyncFolder(const std::string& dir) {
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ::fsync(fd) == 0;
  ::close(fd);
  return ok;
}

}  // namespace qxt::adjust
