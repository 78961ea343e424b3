#include "settings/PrivateProfile.h"

#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

#include "common/Translate.h"

namespace qxt::settings {

namespace {

// The text of a file of at most PrivateProfile::kMaxBytes; false when absent or larger.
bool ReadWholeFile(const std::string& file, std::string& out) {
  std::error_code ec;
  if (std::filesystem::file_size(file, ec) > PrivateProfile::kMaxBytes || ec) return false;
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return out.size() <= PrivateProfile::kMaxBytes;
}

// The parsed file as last read, known by its size and time on disk.
struct Cached {
  std::string file;
  struct stat seen {};
  bool present = false;
  std::unique_ptr<CSimpleIniA> ini;
};

bool SameState(const struct stat& a, const struct stat& b) {
  return a.st_size == b.st_size && a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec &&
         a.st_ino == b.st_ino;
}

bool HasLineBreak(const std::string& s) { return s.find_first_of("\r\n") != std::string::npos; }

const CSimpleIniA& Parsed(const std::string& file) {
  static Cached cache;
  struct stat now {};
  const bool present = ::stat(file.c_str(), &now) == 0;
  if (cache.ini && cache.file == file && cache.present == present && (!present || SameState(cache.seen, now))) {
    return *cache.ini;
  }
  cache.file = file;
  cache.seen = now;
  cache.present = present;
  cache.ini = std::make_unique<CSimpleIniA>();
  std::string text;
  if (present && ReadWholeFile(file, text) && PrivateProfile::Readable(text)) cache.ini->LoadData(text);
  return *cache.ini;
}

bool IsCommentOrBlank(const std::string& line) {
  size_t b = line.find_first_not_of(" \t\r");
  return b == std::string::npos || line[b] == ';' || line[b] == '#';
}

// The comment lines after the last section or key: the INI parser drops them on save.
std::string TrailingComments(const std::string& text) {
  std::istringstream in(text);
  std::string line, block;
  bool hasComment = false;
  while (std::getline(in, line)) {
    if (!IsCommentOrBlank(line)) {
      block.clear();
      hasComment = false;
      continue;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    block += line + "\n";
    hasComment = hasComment || line.find_first_not_of(" \t") != std::string::npos;
  }
  return hasComment ? block : std::string();
}

std::string ToCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

bool WriteAtomically(const std::string& file, const std::string& data) {
  namespace fs = std::filesystem;
  fs::path target(file);
  std::error_code ec;
  if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
  std::string tmpl = (target.has_parent_path() ? target.parent_path() / ("." + target.filename().string())
                                               : fs::path("." + target.filename().string()))
                         .string() +
                     ".XXXXXX";
  int fd = mkstemp(tmpl.data());
  if (fd < 0) return false;
  bool ok = true;
  for (size_t done = 0; ok && done < data.size();) {
    ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) done += static_cast<size_t>(n);
  }
  ok = ok && ::fsync(fd) == 0;
  struct stat st = {};
  if (ok && ::stat(file.c_str(), &st) == 0) ::fchmod(fd, st.st_mode & 07777);
  ok = ::close(fd) == 0 && ok;
  ok = ok && std::rename(tmpl.c_str(), file.c_str()) == 0;
  if (!ok) ::unlink(tmpl.c_str());
  return ok;
}

}  // namespace

bool PrivateProfile::Readable(const std::string& text) {
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    for (unsigned char c : line) {
      if ((c < 0x20 && c != '\t' && c != '\r') || c == 0x7F) return false;
    }
    if (IsCommentOrBlank(line)) continue;
    const size_t b = line.find_first_not_of(" \t");
    if (line[b] != '[' && line.find('=') == std::string::npos) return false;
  }
  return true;
}

bool PrivateProfile::Usable(const std::string& file, std::string& why) {
  std::error_code ec;
  const uintmax_t size = std::filesystem::file_size(file, ec);
  if (ec) return true;  // absent: the defaults apply and a save makes it
  if (size > kMaxBytes) {
    why = common::Compose(common::TrNoop("qxt", "holds %1 bytes, more than any options file (1 MiB)"),
                          {std::to_string(size)});
    return false;
  }
  std::string text;
  if (ReadWholeFile(file, text) && !Readable(text)) {
    why = common::TrNoop("qxt",
                         "is not an options file (binary data, or lines that are neither [SECTION] nor KEY=VALUE)");
    return false;
  }
  return true;
}

int PrivateProfile::GetString(const std::string& section, const std::string& key, const std::string& defaultText,
                              std::string& out, int size, const std::string& file) {
  const char* value = Parsed(file).GetValue(section.c_str(), key.c_str(), nullptr);
  out = value != nullptr ? std::string(value) : defaultText;
  if (size <= 0) {
    out.clear();
  } else if (out.size() > static_cast<size_t>(size - 1)) {
    out.resize(static_cast<size_t>(size - 1));
  }
  return static_cast<int>(out.size());
}

bool PrivateProfile::WriteString(const std::string& section, const std::string& key, const std::string& text,
                                 const std::string& file) {
  // One line per value: a line break would let the text become sections and keys of its own.
  if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(text)) return false;
  if (section.find(']') != std::string::npos || key.find('=') != std::string::npos) return false;
  CSimpleIniA ini;
  ini.SetSpaces(false);
  std::string original;
  std::error_code ec;
  if (std::filesystem::file_size(file, ec) > kMaxBytes && !ec) return false;  // not ours to rewrite
  bool existed = ReadWholeFile(file, original);
  if (existed && (!Readable(original) || ini.LoadData(original) < 0)) return false;
  if (ini.SetValue(section.c_str(), key.c_str(), text.c_str()) < 0) return false;
  std::string data;
  if (ini.Save(data, false) < 0) return false;
  data += TrailingComments(original);
  if (original.find("\r\n") != std::string::npos) data = ToCrLf(data);
  return WriteAtomically(file, data);
}

}  // namespace qxt::settings
