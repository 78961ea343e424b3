#pragma once
// What the three Enter procedures share: the action state with the numbers it has always had,
// the two items a procedure may work on together, and the bookkeeping of one step per tick.

#include <array>
#include <cstdint>
#include <string>

#include "adjust/ActionContext.h"

namespace qxt::adjust {

// The Enter-action state; kNone when no action runs.
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

// Two items a procedure may work on together (BPF T1 and T2, RX and TX LVA), by k = 0 and 1.
using Selection = std::array<bool, 2>;

// Calls fn(k, item) for every selected k, item being first + k.
template <class Fn>
void ForEachSelected(const Selection& sel, int16_t first, Fn&& fn) {
  for (int16_t k = 0; k < 2; ++k) {
    if (sel[static_cast<size_t>(k)]) fn(k, static_cast<int16_t>(first + k));
  }
}

// The readouts the procedures measure with.
inline constexpr int16_t kSdReadout = 3;    // the signal detector
inline constexpr int16_t kLvinReadout = 2;  // LVIN

class ProcedureSteps {
 public:
  explicit ProcedureSteps(ActionContext& ctx) : ctx_(ctx) {}

  ActionContext& ctx() const { return ctx_; }
  ActState state() const { return state_; }
  // Moves on to state; the next step starts with a fresh readout and step counter.
  bool Next(ActState state);
  // The procedure has done its work: a beep tells the technician.
  bool Finish();
  // A readout of group A over as many calls as it takes; true once its answer is in.
  bool ReadA(int16_t index);
  int16_t& counter() { return counter_; }
  // The generator's group over as many calls as it takes (the step counter marks it sent), with
  // the settle time after it; true when over, with error set when it failed.
  bool Signal(const instrument::GeneratorSettings& settings, std::string& error);
  bool generator() const { return ctx_.Generator().configured(); }

  // The trimmed titles and the values of the selected items ("BPF T1, BPF T2", "80, 96").
  std::string Names(const Selection& sel, int16_t first) const;
  std::string Values(const Selection& sel, int16_t first) const;

 private:
  ActionContext& ctx_;
  ActState state_ = ActState::kNone;
  bool readFirst_ = true;
  int16_t counter_ = 0;
};

}  // namespace qxt::adjust
