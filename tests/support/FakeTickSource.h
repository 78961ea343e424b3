#pragma once
#include "common/TickSource.h"

namespace qxt::test {

// A tick count the test sets by hand.
class FakeTickSource : public common::TickSource {
 public:
  int32_t tickCount() const override { return now; }
  void advance(int32_t ms) { now = static_cast<int32_t>(static_cast<uint32_t>(now) + static_cast<uint32_t>(ms)); }
  int32_t now = 0;
};

}  // namespace qxt::test
