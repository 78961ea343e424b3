#pragma once
// A support trace of the link: every chunk written to or read from the port, one line each:
// milliseconds since the program started, TX or RX, and the bytes in hex. Notes (why a port
// could not be opened) go in the same file. The file is bounded: at kMaxBytes it becomes
// FILE.1 (replacing the one before, whose lines are dropped, as the new file says) and a new one
// starts. A trace that cannot be written is given up and said so once; the link never depends
// on it.

#include <cstdio>
#include <functional>
#include <string>

#include "common/Bytes.h"
#include "common/TickSource.h"

namespace qxt::link {

class ProtocolTrace {
 public:
  static constexpr long kMaxBytes = 10L * 1024 * 1024;

  explicit ProtocolTrace(const common::TickSource& ticks, long maxBytes = kMaxBytes);
  // Who hears that the trace cannot be written (once per file named).
  void onTrouble(std::function<void(const std::string&)> trouble) { trouble_ = std::move(trouble); }
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
  void Write(const std::string& text);
  void Open(const char* mode);
  void Rotate();
  void GiveUp(const std::string& what);
  uint32_t elapsed() const;

  const common::TickSource& ticks_;
  int32_t startTick_;
  std::string path_;
  std::FILE* file_ = nullptr;
  long maxBytes_;
  long size_ = 0;
  std::string told_;  // the file whose trouble was told
  std::function<void(const std::string&)> trouble_;
};

}  // namespace qxt::link
