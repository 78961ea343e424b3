#include "adjust/ReasonedSender.h"

namespace qxt::adjust {

void ReasonedSender::ItemReason(int16_t command, common::SendReason why) {
  if (command >= 0 && command < 256) itemReason_[static_cast<size_t>(command)] = why;
}

// An item's reason is taken by the send of its command, so it never outlives that value.
link::LiveCommand ReasonedSender::Stamped(link::LiveCommand command) {
  std::optional<common::SendReason>& item = itemReason_[command.command];
  if (!command.why) command.why = item.value_or(reason_);
  item.reset();
  return command;
}

}  // namespace qxt::adjust
