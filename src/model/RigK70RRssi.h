#pragma once
// The two-point RSSI calibration (action states 6..8): it reads SD continuously; each Enter
// stores the reading, first as the S3 level (00AA, live command 16), then as S1 (00A9, 15), and a
// beep ends it. An S1 level that is not below the S3 level is refused: both points keep what
// they had.

#include <array>
#include <cstdint>

#include "model/ProcedureSteps.h"

namespace qxt::model {

class RigK70RRssi {
 public:
  explicit RigK70RRssi(ProcedureSteps& steps) : steps_(steps) {}

  void Start();
  // A second Enter: the reading now on SD is the point of this phase.
  void Confirm() { flgRssiStep_ = true; }
  bool Step();
  // Cut off: the points stored so far go back.
  void Abort();

  bool flgRssiPhase() const { return flgRssiPhase_; }
  bool failed() const { return failed_; }

 private:
  bool StorePoint();
  void PutBackPoints();
  std::string PointValues() const;

  ProcedureSteps& steps_;
  bool flgRssiStep_ = false;
  bool flgRssiPhase_ = false;
  bool rssiAck_ = false;
  bool failed_ = false;
  int16_t s3Level_ = 0;
  std::array<bool, 2> stored_{};
  std::array<uint8_t, 2> saved_{};
};

}  // namespace qxt::model
