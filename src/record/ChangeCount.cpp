#include "record/ChangeCount.h"

namespace qxt::record {

// A Connect's value for an item without a value before is what the radio holds.
bool ChangeCount::Sent(const std::string& item, std::optional<int32_t> before, int32_t after, SendReason why) {
  auto [it, first] = items_.try_emplace(item, before, after);
  if (first && !before && why == SendReason::kConnect) it->second.first = after;
  it->second.second = after;
  int count = 0;
  for (const auto& [name, values] : items_) count += values.first != values.second ? 1 : 0;
  if (count == count_) return false;
  count_ = count;
  return true;
}

}  // namespace qxt::record
