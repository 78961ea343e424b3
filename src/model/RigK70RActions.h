#pragma once
// The three Enter procedures, each a small state machine stepped from the adjustment task:
//   RSSI calibration (6..8)   reads SD continuously; each Enter stores the reading, first as the
//                             S3 level (0xAA, live command 0x16), then as S1 (0xA9, 0x15); beep.
//   BPF sweep (12..16)        steps a filter across its range reading SD and sets it to the
//                             centre of the plateau of maximum level (ALL: both filters in turn,
//                             steps of 2 up to 127; a single filter in steps of 1 up to its Max).
//   LVA adjustment (17..26)   bisects RX or TX LVA until LVIN equals the LV target; when the
//                             target lies outside the levels at 0 and 255 the setting is restored
//                             and the item keeps its failed mark.
// A step returns true when it is finished (actState then holds the next step).

#include <array>
#include <cstdint>

#include "model/ActionContext.h"

namespace qxt::model {

struct ActionIndices {
  int16_t bpfT1 = 9;     // BPF T2 follows it
  int16_t rxLva = 11;    // TX LVA follows it
  int16_t lvRxLva = 13;  // LV(TX LVA) follows it
  int16_t rssi = 15;
};

class RigK70RActions {
 public:
  static bool IsRssi(int16_t s) { return s >= 6 && s <= 8; }
  static bool IsBpf(int16_t s) { return s >= 12 && s <= 16; }
  static bool IsLva(int16_t s) { return s >= 17 && s <= 26; }

  bool ActRssi(ActionContext& ctx, const ActionIndices& idx);
  bool ActBpfSweep(ActionContext& ctx, const ActionIndices& idx);
  bool ActLvaAdjust(ActionContext& ctx, const ActionIndices& idx);

  int16_t actState = 0;
  std::array<bool, 3> bpfSel{};
  bool flgBpfAll = false;
  std::array<bool, 3> lvaSel{};
  std::array<bool, 3> lvaFailed{};
  bool flgRssiStep = false;
  bool flgRssiPhase = false;

 private:
  bool Next(int16_t state);
  bool ReadA(ActionContext& ctx, int16_t index, bool& done);
  void SetSelectedLva(ActionContext& ctx, const ActionIndices& idx, int16_t value);
  bool SweepStep(ActionContext& ctx, const ActionIndices& idx);

  // Kept between calls: the readout's first-call flag and the step counter of a state.
  bool readFirst_ = true;
  int16_t counter_ = 0;
  bool rssiAck_ = false;
  // BPF sweep.
  int16_t k_ = 0;
  int16_t best_ = -1, firstBest_ = 0, lastBest_ = 0;
  // LVA bisection.
  int16_t low_ = 0, high_ = 255, mid_ = 0;
  int16_t levelLow_ = 0, levelHigh_ = 0, levelMid_ = 0;
  int16_t target_ = 0;
  std::array<int16_t, 2> saved_{};
};

}  // namespace qxt::model
