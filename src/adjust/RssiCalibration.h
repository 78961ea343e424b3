#pragma once
// The two-point RSSI calibration (action states 6..8): it reads SD continuously; each Enter
// stores the reading, first as the S3 level (00AA, live command 16), then as S1 (00A9, 15), and a
// beep ends it. An S1 level that is not below the S3 level is refused: both points keep what
// they had. With a generator on the bench the calibration sets its own levels and takes each
// point without waiting for Enter: the S3 level at the RX frequency of the CH No. channel, RF
// on, settle, the S3 point; the S1 level, settle, the S1 point; RF off. Since the levels are
// then known, the two points must also stand at least kCountsPerDb counts per dB of their
// difference apart, or neither is kept.

#include <array>
#include <cstdint>

#include "adjust/ProcedureSteps.h"

namespace qxt::adjust {

class RssiCalibration {
 public:
  // 2 counts of SD per dB: the 12 dB between the usual S3 and S1 levels need 24 counts, where a
  // working detector gives about 9 per dB and one that barely sees the signal gives a few.
  static constexpr int kCountsPerDb = 2;

  explicit RssiCalibration(ProcedureSteps& steps) : steps_(steps) {}

  void Start();
  // A second Enter: the reading now on SD is the point of this phase.
  void Confirm() { flgRssiStep_ = true; }
  bool Step();
  // Cut off: the points stored so far go back.
  void Abort();

  bool flgRssiPhase() const { return flgRssiPhase_; }
  bool failed() const { return failed_; }

 private:
  // The refusal when the reading cannot be this phase's point, else "" (the point is stored).
  std::string StorePoint();
  bool SignalStep();
  bool End(ProcedureOutcome outcome, const std::string& note);
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

}  // namespace qxt::adjust
