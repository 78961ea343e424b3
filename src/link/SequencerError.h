#pragma once
// The operation sequencer's error codes, each with the message that explains it when the driver
// reported nothing.

#include <cstdint>

#include "link/ErrorExplanation.h"

namespace qxt::link {

enum class SequencerError : int16_t {
  kNone = 0,
  kModelDiffers = 1,   // the inquiry answer names another model code
  kSubRefused = 2,     // the radio's sub code (revision) is not one this program accepts
  kNotCompatible = 3,  // position 43 of the inquiry answer is not 06
  kDriverFailed = 4,   // the driver reported an error during the identification
};

// The message for a code (kNone too: the operation failed without a code of its own).
ErrorExplanation Explain(SequencerError error);

}  // namespace qxt::link
