#include "common/SteadyTickSource.h"

#include <chrono>

namespace qxt::common {

int32_t SteadyTickSource::tickCount() const {
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch());
  // Keep the low 32 bits and read them as signed, as the tick counter of the system does.
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(ms.count())));
}

SteadyTickSource& SteadyTickSource::instance() {
  static SteadyTickSource source;
  return source;
}

}  // namespace qxt::common
