#pragma once
// "Changes" of a session: the items whose value now differs from the one the radio held when the
// session began. The values every Connect sends, and a value put back, are not changes.

#include <map>
#include <optional>
#include <string>

#include "record/RecordTypes.h"

namespace qxt::record {

class ChangeCount {
 public:
  void Clear() {
    items_.clear();
    count_ = 0;
  }
  // A value sent; true when the count changed by it.
  bool Sent(const std::string& item, std::optional<int32_t> before, int32_t after, SendReason why);
  int count() const { return count_; }

 private:
  // Each item's value when the session began (none known: nullopt) and its value now.
  std::map<std::string, std::pair<std::optional<int32_t>, int32_t>> items_;
  int count_ = 0;
};

}  // namespace qxt::record
