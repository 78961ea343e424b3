#pragma once
// A failed link as one value: made where the failure happens (the port owner, the frame driver,
// the sequencer, the readouts), handed unchanged to the one message box that explains it. Its
// text is a line naming the failure, then what to check.

#include <cstdint>
#include <string>

#include "link/DriverError.h"
#include "link/SequencerError.h"

namespace qxt::link {

class LinkFailure {
 public:
  // The port could not be opened or was lost; detail is the system's reason, for the box's details.
  static LinkFailure CannotOpen(int16_t port, std::string detail);
  static LinkFailure Overflow();
  static LinkFailure Driver(DriverError code);
  // A failure the sequencer found itself (kNone: the exchange went wrong without a finer reason).
  static LinkFailure Sequencer(SequencerError code);

  // Lines joined by CR LF, without a CR LF at the end.
  std::string Text() const;
  // What the box shows under "details": the port's reason, and for a denied permission how to
  // get it; empty for every other failure.
  std::string Detail() const;
  // The radio cannot be reached at all, so nothing can be put back into it.
  bool Unreachable() const;

  bool operator==(const LinkFailure&) const = default;

 private:
  enum class Source : uint8_t { kPort, kOverflow, kDriver, kSequencer };
  LinkFailure(Source source, std::string detail) : source_(source), detail_(std::move(detail)) {}

  Source source_;
  std::string detail_;
  int16_t port_ = 1;
  DriverError driver_ = DriverError::kNone;
  SequencerError sequencer_ = SequencerError::kNone;
};

}  // namespace qxt::link
