#pragma once
// The one way to the running radio: a live command sent, or asked with its answer, one at a time.
// The exchange runs on later ticks; the answer goes to whoever asked, once.

#include <optional>

#include "link/LiveCommand.h"

namespace qxt::link {

class LiveSender {
 public:
  virtual ~LiveSender() = default;
  // Both return whether the frame went out; callers may ignore it (a failure is reported by the
  // link itself).
  virtual bool Send(const LiveCommand& command) = 0;
  virtual bool Ask(const LiveCommand& command) = 0;
  // The answer to the last Ask, once it is in and was valid; nullopt before, after a failure or
  // a broken answer, and once taken.
  virtual std::optional<LiveAnswer> TakeAnswer() = 0;
  // True while an exchange has started and not finished.
  virtual bool Busy() const = 0;
};

}  // namespace qxt::link
