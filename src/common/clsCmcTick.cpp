#include "common/clsCmcTick.h"

#include <cmath>

namespace qxt::common {

void clsCmcTick::counter(int32_t ct) {
  start_ = source_->tickCount();
  duration_ = ct;
  running_ = true;
}

int32_t clsCmcTick::counter() {
  constexpr int32_t kQuarter = 1073741824;  // 2^30
  int32_t remaining = 0;
  int32_t elapsed = 0;
  if (running_) {
    const int32_t now = source_->tickCount();
    if (start_ <= now) {
      double d = std::floor(now / 2.0) - std::floor(start_ / 2.0);
      if (d < kQuarter) {
        elapsed = now - start_;
      } else {
        running_ = false;
      }
    } else if (now <= -kQuarter && start_ >= kQuarter) {
      // The count passed its signed maximum; both terms are below 2^30, so the sum fits.
      elapsed = (INT32_MAX - start_) + static_cast<int32_t>(static_cast<int64_t>(now) + 2147483648LL);
    } else {
      running_ = false;
    }
  }
  if (running_) {
    if (duration_ > elapsed) {
      remaining = duration_ - elapsed;
    } else {
      running_ = false;
    }
  }
  return remaining;
}

}  // namespace qxt::common
