#pragma once
// Starts a live command (an E8 frame carrying the given hex text) and returns at once; the
// exchange itself runs on later ticks. The operation sequencer is the one implementation.

#include <string>

namespace qxt::common {

class LiveCommandSender {
 public:
  virtual ~LiveCommandSender() = default;
  // Both return whether the operation took its first step; callers may ignore it.
  virtual bool easySendE8NoAnswer(const std::string& hexText) = 0;
  virtual bool easySendE8ReqAnswer(const std::string& hexText) = 0;
  // True while an operation has started and not finished.
  virtual bool OpRunning() const = 0;
};

}  // namespace qxt::common
