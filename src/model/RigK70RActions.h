#pragma once
// The three Enter procedures, each a small state machine stepped from the adjustment task:
//   RSSI calibration (6..8)   reads SD continuously; each Enter stores the reading, first as the
//                             S3 level (00AA, live command 16), then as S1 (00A9, 15); beep. An
//                             S1 level that is not below the S3 level is refused: both points
//                             go back to what they were.
//   BPF sweep (12..16)        steps a filter across its range reading SD and sets it to the
//                             centre of the plateau of maximum level (ALL: both filters in turn,
//                             steps of 2 up to 127; a single filter in steps of 1 up to its Max).
//                             A sweep whose best level does not stand kPeakMargin above its
//                             lowest shows no peak (no signal, a dead filter): the filter goes
//                             back to its value before the sweep.
//   LVA adjustment (17..26)   bisects RX or TX LVA until LVIN equals the LV target; when the
//                             target lies outside the levels at 0 and 255 the setting is restored
//                             and the item keeps its failed mark.
// A procedure that ends without finishing (Abort: a button, another Enter, a reset) puts back
// every value it changed. Every way of failing leaves " (Auto Adjust Failed)" on the item's line.

#include <array>
#include <cstdint>

#include "model/ActionContext.h"

namespace qxt::model {

// The Enter-action state, with the numbers it has always had; kNone when no action runs.
enum class ActState : int16_t {
  kNone = 0,
  kRssiStart = 6,
  kRssiRead = 7,
  kRssiConfirm = 8,
  kBpfStart = 12,
  kBpfPreset = 13,
  kBpfNextFilter = 14,
  kBpfSweep = 15,
  kBpfDone = 16,
  kLvaStart = 17,
  kLvaSetLow = 18,
  kLvaReadLow = 19,
  kLvaSetHigh = 20,
  kLvaReadHigh = 21,
  kLvaCheckRange = 22,
  kLvaSetMid = 23,
  kLvaReadMid = 24,
  kLvaNarrow = 25,
  kLvaDone = 26,
};

constexpr bool IsRssi(ActState s) { return s >= ActState::kRssiStart && s <= ActState::kRssiConfirm; }
constexpr bool IsBpf(ActState s) { return s >= ActState::kBpfStart && s <= ActState::kBpfDone; }
constexpr bool IsLva(ActState s) { return s >= ActState::kLvaStart && s <= ActState::kLvaDone; }

// Two items an action may work on together (BPF T1 and T2, RX and TX LVA), by k = 0 and 1.
using Selection = std::array<bool, 2>;

// Calls fn(k, item) for every selected k, item being first + k.
template <class Fn>
void ForEachSelected(const Selection& sel, int16_t first, Fn&& fn) {
  for (int16_t k = 0; k < 2; ++k) {
    if (sel[static_cast<size_t>(k)]) fn(k, static_cast<int16_t>(first + k));
  }
}

class RigK70RActions {
 public:
  // How far above the lowest level of a sweep its best level must stand to count as a peak:
  // 8 counts of the SD readout, about 0.16 V or 3 % of its scale, well above its noise.
  static constexpr int16_t kPeakMargin = 8;

  explicit RigK70RActions(ActionContext& ctx) : ctx_(ctx) {}

  ActState actState() const { return actState_; }
  bool running() const { return actState_ != ActState::kNone; }
  // Ends whatever runs: what it changed is put back and its items are marked failed.
  void Abort();

  // Starts the RSSI calibration at its S3 point; Enter again confirms the reading.
  void StartRssi();
  void ConfirmRssi() { flgRssiStep_ = true; }
  // Starts a sweep of the selected filters; line is the item whose line shows ": Sweeping".
  void StartBpf(const Selection& filters, bool all, int16_t line);
  // Starts the level adjustment of RX LVA (k = 0) or TX LVA (k = 1).
  void StartLva(int16_t k);

  // One step of the running action; true when it is finished (actState holds the next step).
  bool Step();

  // What the console lines show.
  bool bpfSel(int16_t k) const { return At(bpfSel_, k); }
  bool lvaSel(int16_t k) const { return At(lvaSel_, k); }
  bool lvaFailed(int16_t k) const { return At(lvaFailed_, k); }
  bool bpfFailed(int16_t k) const { return At(bpfFailed_, k); }
  bool rssiFailed() const { return rssiFailed_; }
  bool flgRssiPhase() const { return flgRssiPhase_; }
  int16_t sweepLine() const { return sweepLine_; }

 private:
  static bool At(const Selection& s, int16_t k) { return k >= 0 && k < 2 && s[static_cast<size_t>(k)]; }
  bool Next(ActState state);
  bool Finish();
  bool ReadA(int16_t index);
  bool ActRssi();
  bool StoreRssiPoint();
  void PutBackRssiPoints();
  bool ActBpfSweep();
  bool SweepStep();
  void EndFilter(int16_t item);
  void SetFilter(int16_t item, int16_t value);
  bool ActLvaAdjust();
  bool LvaMeasure();
  bool LvaDecide();
  void SetSelectedLva(int16_t value);

  ActionContext& ctx_;
  ActState actState_ = ActState::kNone;
  Selection bpfSel_{};
  bool flgBpfAll_ = false;
  int16_t sweepLine_ = 8;
  Selection bpfFailed_{};
  Selection lvaSel_{};
  Selection lvaFailed_{};
  bool flgRssiStep_ = false;
  bool flgRssiPhase_ = false;
  bool rssiFailed_ = false;

  // What the running procedure changed, and the values to put back: the two filters or the two
  // LVA settings (saved_), and the two RSSI points (00AA S3, 00A9 S1).
  Selection touched_{};
  std::array<int16_t, 2> saved_{};
  std::array<bool, 2> pointStored_{};
  std::array<uint8_t, 2> pointSaved_{};
  int16_t s3Level_ = 0;

  // Kept between calls: the readout's first-call flag and the step counter of a state.
  bool readFirst_ = true;
  int16_t counter_ = 0;
  bool rssiAck_ = false;
  // BPF sweep.
  int16_t k_ = 0;
  int16_t best_ = -1, lowest_ = 256, firstBest_ = 0, lastBest_ = 0;
  // LVA bisection.
  int16_t low_ = 0, high_ = 255, mid_ = 0;
  int16_t levelLow_ = 0, levelHigh_ = 0, levelMid_ = 0;
  int16_t target_ = 0;
};

}  // namespace qxt::model
