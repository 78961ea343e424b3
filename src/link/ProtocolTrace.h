#pragma once
// A support trace of the link: every chunk written to or read from the port, one line each:
// milliseconds since the program started, TX or RX, and the bytes in hex. Notes (why a port
// could not be opened) go in the same file. A trace that cannot be written is given up quietly;
// the link never depends on it.

#include <cstdio>
#include <string>

#include "common/Bytes.h"
#include "common/TickSource.h"

namespace qxt::link {

class ProtocolTrace {
 public:
  explicit ProtocolTrace(const common::TickSource& ticks);
  ~ProtocolTrace();
  ProtocolTrace(const ProtocolTrace&) = delete;
  ProtocolTrace& operator=(const ProtocolTrace&) = delete;

  // An empty path turns the trace off.
  void setFile(const std::string& path);
  bool active() const { return file_ != nullptr; }

  void tx(const Bytes& data) { line("TX", data); }
  void rx(const Bytes& data) { line("RX", data); }
  void note(const std::string& text);

 private:
  void line(const char* direction, const Bytes& data);
  uint32_t elapsed() const;

  const common::TickSource& ticks_;
  int32_t startTick_;
  std::string path_;
  std::FILE* file_ = nullptr;
};

}  // namespace qxt::link
