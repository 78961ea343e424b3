#pragma once
// The result of an operation that either does its work or refuses it, with the numbers the
// image and the frame driver have always returned.

#include <cstdint>

namespace qxt::common {

enum class Outcome : int16_t {
  kDone = 0,     // the work was done
  kRefused = 1,  // nothing was changed: an address outside the image, a frame that cannot be sent
};

}  // namespace qxt::common
