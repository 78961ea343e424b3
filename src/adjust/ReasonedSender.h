#pragma once
// The task's way to the link: every live command leaves with why it is sent. A part that knows
// its reason (a put-back, a mirror, the fixed command of a connection) sets it on the command;
// otherwise a key, Undo or Revert that changed the item the command sends gives it, once, and
// the task's phase (connecting, a procedure, keys) gives the rest.

#include <array>
#include <cstdint>
#include <optional>

#include "link/LiveSender.h"

namespace qxt::adjust {

class ReasonedSender : public link::LiveSender {
 public:
  explicit ReasonedSender(link::LiveSender& link) : link_(link) {}

  // Why what is sent next is sent, unless the command or its item has a reason of its own.
  void Reason(common::SendReason why) { reason_ = why; }
  // A key, Undo or Revert changed the item that command sends: its next value goes out for that.
  void ItemReason(int16_t command, common::SendReason why);
  // A new connection: no item's reason carries over.
  void Forget() { itemReason_.fill(std::nullopt); }

  bool Send(const link::LiveCommand& command) override { return link_.Send(Stamped(command)); }
  bool Ask(const link::LiveCommand& command) override { return link_.Ask(Stamped(command)); }
  std::optional<link::LiveAnswer> TakeAnswer() override { return link_.TakeAnswer(); }
  bool Busy() const override { return link_.Busy(); }

 private:
  link::LiveCommand Stamped(link::LiveCommand command);

  link::LiveSender& link_;
  common::SendReason reason_ = common::SendReason::kKey;
  std::array<std::optional<common::SendReason>, 256> itemReason_{};
};

}  // namespace qxt::adjust
