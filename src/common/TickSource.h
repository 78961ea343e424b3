#pragma once
// The millisecond tick count of the system, read as a signed 32-bit value that passes from
// its maximum to its minimum. Injected everywhere time matters, so tests can set it.

#include <cstdint>

namespace qxt::common {

class TickSource {
 public:
  virtual ~TickSource() = default;
  virtual int32_t tickCount() const = 0;
};

}  // namespace qxt::common
