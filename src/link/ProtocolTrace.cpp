#include "link/ProtocolTrace.h"

#include <cerrno>
#include <cstring>

#include "common/Common.h"
#include "common/PrivateFiles.h"

namespace qxt::link {

ProtocolTrace::ProtocolTrace(const common::TickSource& ticks, long maxBytes)
    : ticks_(ticks), startTick_(ticks.tickCount()), maxBytes_(maxBytes) {}

ProtocolTrace::~ProtocolTrace() { setFile(""); }

void ProtocolTrace::setFile(const std::string& path) {
  if (path == path_ && (file_ != nullptr || path.empty())) return;
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  path_ = path;
  if (!path.empty()) Open("a");
}

void ProtocolTrace::Open(const char* mode) {
  file_ = common::OpenPrivate(path_, mode);  // a trace holds the radio's memory: the user's only
  if (file_ == nullptr) return GiveUp("cannot be opened");
  std::fseek(file_, 0, SEEK_END);
  size_ = std::ftell(file_);
  if (size_ >= maxBytes_) Rotate();
}

// The full file becomes FILE.1; what FILE.1 held is dropped, and the new file says so.
void ProtocolTrace::Rotate() {
  std::fclose(file_);
  file_ = nullptr;
  const std::string older = path_ + ".1";
  std::remove(older.c_str());
  if (std::rename(path_.c_str(), older.c_str()) != 0) return GiveUp("cannot be renamed to " + older);
  file_ = common::OpenPrivate(path_, "w");
  if (file_ == nullptr) return GiveUp("cannot be opened");
  size_ = 0;
  Write(std::to_string(elapsed()) + " -- continued from " + older + "; the lines before that file were dropped\n");
}

void ProtocolTrace::GiveUp(const std::string& what) {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  const std::string text =
      "The protocol trace " + path_ + " " + what + " (" + std::strerror(errno) + "): the link works on without it.";
  if (trouble_ && told_ != path_) trouble_(text);
  told_ = path_;
}

uint32_t ProtocolTrace::elapsed() const {
  return static_cast<uint32_t>(ticks_.tickCount()) - static_cast<uint32_t>(startTick_);
}

void ProtocolTrace::Write(const std::string& text) {
  if (file_ == nullptr) return;
  if (size_ + static_cast<long>(text.size()) > maxBytes_ && size_ > 0) {
    Rotate();
    if (file_ == nullptr) return;
  }
  if (std::fwrite(text.data(), 1, text.size(), file_) != text.size() || std::fflush(file_) != 0) {
    return GiveUp("cannot be written");
  }
  size_ += static_cast<long>(text.size());
}

void ProtocolTrace::line(const char* direction, const Bytes& data) {
  if (file_ == nullptr) return;
  Write(std::to_string(elapsed()) + " " + direction + " " + common::ByteStrToHexStr(data) + "\n");
}

void ProtocolTrace::note(const std::string& text) {
  if (file_ == nullptr) return;
  Write(std::to_string(elapsed()) + " -- " + text + "\n");
}

}  // namespace qxt::link
