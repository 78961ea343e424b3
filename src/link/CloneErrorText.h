#pragma once
// The text of the one message box that explains a failed link: a line naming the failure, then
// what to check. The port flags come first, then the driver's last error, then the sequencer's.

#include <cstdint>
#include <string>

#include "link/DriverError.h"
#include "link/SequencerError.h"

namespace qxt::link {

struct CloneErrorState {
  bool errCannotOpen = false;
  bool errOverflow = false;
  int16_t comPortNum = 1;
  DriverError driverLastError = DriverError::kNone;
  SequencerError sequencerError = SequencerError::kNone;
};

// Lines joined by CR LF, without a CR LF at the end.
std::string CloneErrorText(const CloneErrorState& state);

// The details of a port failure for its message box: what failed and why, and for a denied
// permission how to get it.
std::string PortFailureDetail(const std::string& failure);

}  // namespace qxt::link
