#pragma once
// The frame driver's error codes, each with the message that explains it.

#include <cstdint>

#include "link/ErrorExplanation.h"

namespace qxt::link {

enum class DriverError : int16_t {
  kNone = 0,
  kNoEcho = 1,         // the echo of the sent frame did not arrive within 1000 ms
  kNoAnswer = 2,       // no answer within 1200 ms and no retry left
  kInvalidAnswer = 3,  // an answer of the expected kind broke its rules
  kCountMismatch = 4,  // a clone read ended without every block of the image
  kImageRefused = 5,   // the image refused a block's data (it lies outside)
  kNeverSet = 6,       // kept for its message; nothing sets it
  kWriteRefused = 7,   // the E6 answer to a clone write carried a nonzero status
  kWriteNotSent = 8,   // a frame could not be written (the next clone-write block, its end frame, a request)
};

// The message for a nonzero code: "Cannot Clone." for a code outside the list.
ErrorExplanation Explain(DriverError error);

}  // namespace qxt::link
