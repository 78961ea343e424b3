#pragma once
// Told of every frame the sequencer has written to the port, after the write: what it was and,
// for a live command, the command with why it went out.

#include <optional>

#include "link/LiveCommand.h"
#include "link/Protocol.h"

namespace qxt::link {

struct SentFrame {
  wire::Command code = wire::Command::kLive;
  std::optional<LiveCommand> live;  // set for a live command made from its values
  bool asked = false;               // an answer was requested
};

class FrameObserver {
 public:
  virtual ~FrameObserver() = default;
  virtual void FrameSent(const SentFrame& frame) = 0;
};

}  // namespace qxt::link
