#pragma once
// A count-down on the millisecond tick count: armed with a duration, then asked how much of
// it remains. It survives the count's passage through its signed maximum, and reads as expired
// when the interval can no longer be measured (more than about 2^31 ms).

#include <cstdint>

#include "common/TickSource.h"

namespace qxt::common {

class clsCmcTick {
 public:
  explicit clsCmcTick(const TickSource& source) : source_(&source) {}

  // Arms the counter with ct milliseconds from now.
  void counter(int32_t ct);
  // The milliseconds that remain; 0 when expired, never armed or stopped. Reading may stop it.
  int32_t counter();

 private:
  const TickSource* source_;
  int32_t start_ = 0;
  int32_t duration_ = 0;
  bool running_ = false;
};

}  // namespace qxt::common
