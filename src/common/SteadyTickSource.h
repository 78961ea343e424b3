#pragma once
// Milliseconds of the monotonic clock, truncated to a signed 32-bit count that wraps.

#include "common/TickSource.h"

namespace qxt::common {

class SteadyTickSource : public TickSource {
 public:
  int32_t tickCount() const override;

  // The one real clock of the program.
  static SteadyTickSource& instance();
};

}  // namespace qxt::common
