#pragma once
// The three Enter procedures (RSSI calibration, BPF sweep, LVA adjustment), of which at most one
// runs, stepped from the adjustment task. A procedure that ends without finishing (Abort: a
// button, another Enter, a reset) puts back every value it changed; every way of failing leaves
// " (Auto Adjust Failed)" on the item's line.

#include <cstdint>
#include <functional>

#include "adjust/ActionContext.h"
#include "adjust/BpfSweep.h"
#include "adjust/ItemTable.h"
#include "adjust/LvaAdjust.h"
#include "adjust/ProcedureSteps.h"
#include "adjust/RssiCalibration.h"

namespace qxt::adjust {

class Procedures {
 public:
  explicit Procedures(ActionContext& ctx) : steps_(ctx), rssi_(steps_), bpf_(steps_), lva_(steps_) {}

  ActState actState() const { return steps_.state(); }
  bool running() const { return actState() != ActState::kNone; }
  // Ends whatever runs: what it changed is put back and its items are marked failed.
  void Abort();

  // Enter on a procedure's line (event, line): starts it, first calling cancelOthers; Enter again
  // on RSSI confirms the reading, and on a running sweep or level adjustment changes nothing.
  void Enter(EnterEvent event, int16_t line, const std::function<void()>& cancelOthers);
  void StartRssi() { rssi_.Start(); }
  void ConfirmRssi() { rssi_.Confirm(); }
  void StartBpf(const Selection& filters, bool all, int16_t line) { bpf_.Start(filters, all, line); }
  void StartLva(int16_t k) { lva_.Start(k); }

  // One step of the running action; true when it is finished (actState holds the next step).
  bool Step();

  // What the console lines show.
  bool bpfSel(int16_t k) const { return bpf_.bpfSel(k); }
  bool bpfFailed(int16_t k) const { return bpf_.failed(k); }
  int16_t sweepLine() const { return bpf_.sweepLine(); }
  bool lvaSel(int16_t k) const { return lva_.lvaSel(k); }
  bool lvaFailed(int16_t k) const { return lva_.lvaFailed(k); }
  bool flgRssiPhase() const { return rssi_.flgRssiPhase(); }
  bool rssiFailed() const { return rssi_.failed(); }

 private:
  ProcedureSteps steps_;
  RssiCalibration rssi_;
  BpfSweep bpf_;
  LvaAdjust lva_;
};

}  // namespace qxt::adjust
