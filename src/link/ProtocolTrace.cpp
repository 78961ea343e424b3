#include "link/ProtocolTrace.h"

#include "common/Common.h"

namespace qxt::link {

ProtocolTrace::ProtocolTrace(const common::TickSource& ticks) : ticks_(ticks), startTick_(ticks.tickCount()) {}

ProtocolTrace::~ProtocolTrace() { setFile(""); }

void ProtocolTrace::setFile(const std::string& path) {
  if (path == path_ && (file_ != nullptr || path.empty())) return;
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  path_ = path;
  if (!path.empty()) file_ = std::fopen(path.c_str(), "a");
}

uint32_t ProtocolTrace::elapsed() const {
  return static_cast<uint32_t>(ticks_.tickCount()) - static_cast<uint32_t>(startTick_);
}

void ProtocolTrace::line(const char* direction, const Bytes& data) {
  if (file_ == nullptr) return;
  if (std::fprintf(file_, "%u %s %s\n", elapsed(), direction, common::ByteStrToHexStr(data).c_str()) < 0 ||
      std::fflush(file_) != 0) {
    std::fclose(file_);
    file_ = nullptr;
  }
}

void ProtocolTrace::note(const std::string& text) {
  if (file_ == nullptr) return;
  std::fprintf(file_, "%u -- %s\n", elapsed(), text.c_str());
  std::fflush(file_);
}

}  // namespace qxt::link
