#pragma once
// A live command and its answer as plain values: what an item, a procedure or a readout asks of
// the running radio, and what the radio said back. Their wire form is made in Protocol only.

#include <cstdint>
#include <optional>

#include "common/SendReason.h"

namespace qxt::link {

struct LiveCommand {
  uint8_t command = 0;
  uint8_t value = 0;
  // Why it goes out; unset when the sender in between knows better than the part that sends.
  std::optional<common::SendReason> why;
};

// An answer that kept every rule: the radio's own codes, the sub-command echoed, a value.
struct LiveAnswer {
  uint8_t subCommand = 0;
  uint8_t value = 0;
};

}  // namespace qxt::link
