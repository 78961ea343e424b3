#pragma once
// The band-pass sweep (action states 12..16): it steps a filter across its range reading SD and
// sets it to the centre of the plateau of maximum level; ALL sweeps both filters in turn, in
// steps of 2 up to 127, a single filter goes in steps of 1 up to its Max. A sweep whose best
// level does not stand kPeakMargin above its lowest shows no peak (no signal, a dead filter):
// that filter keeps its value from before the sweep. With a generator on the bench the sweep
// sets its own signal first: the RX frequency of the CH No. channel at BpfLevel, RF on, and the
// settle time; RF goes off at its end. A generator that fails ends the sweep as a failure, the
// filters back at their values.

#include <array>
#include <cstdint>

#include "adjust/ProcedureSteps.h"

namespace qxt::adjust {

class BpfSweep {
 public:
  // How far above the lowest level of a sweep its best level must stand to count as a peak:
  // 8 counts of the SD readout, about 0.16 V or 3 % of its scale, well above its noise.
  static constexpr int16_t kPeakMargin = 8;

  explicit BpfSweep(ProcedureSteps& steps) : steps_(steps) {}

  // Sweeps the selected filters; line is the item whose line shows ": Sweeping".
  void Start(const Selection& filters, bool all, int16_t line);
  bool Step();
  // Cut off: every filter it changed goes back to its value from before.
  void Abort();

  bool bpfSel(int16_t k) const { return k >= 0 && k < 2 && bpfSel_[static_cast<size_t>(k)]; }
  bool failed(int16_t k) const { return k >= 0 && k < 2 && failed_[static_cast<size_t>(k)]; }
  int16_t sweepLine() const { return sweepLine_; }

 private:
  bool SweepStep();
  bool SignalStep();
  bool FailOnGenerator(const std::string& error);
  void EndFilter(int16_t item);
  void SetFilter(int16_t item, int16_t value);
  std::string Series() const;

  ProcedureSteps& steps_;
  Selection bpfSel_{};
  Selection filters_{};
  Selection failed_{};
  Selection touched_{};
  std::array<int16_t, 2> saved_{};
  bool flgBpfAll_ = false;
  int16_t sweepLine_ = 8;
  int16_t k_ = 0;
  int16_t best_ = -1, lowest_ = 256, firstBest_ = 0, lastBest_ = 0;
};

}  // namespace qxt::adjust
