#include "adjust/BpfSweep.h"

#include <algorithm>
#include <cmath>

namespace qxt::adjust {

void BpfSweep::Start(const Selection& filters, bool all, int16_t line) {
  ActionContext& ctx = steps_.ctx();
  flgBpfAll_ = all;
  bpfSel_ = filters_ = filters;
  sweepLine_ = line;
  touched_ = {false, false};
  ForEachSelected(bpfSel_, Index(Item::kBpfT1), [&](int16_t k, int16_t item) {
    saved_[static_cast<size_t>(k)] = ctx.Console().Value(item);
    failed_[static_cast<size_t>(k)] = true;
  });
  const int16_t first = Index(Item::kBpfT1);
  ctx.Observer().ProcedureStarted(ProcedureKind::kBpfSweep, steps_.Names(filters_, first),
                                  steps_.Values(filters_, first));
  steps_.Next(ActState::kBpfStart);
}

std::string BpfSweep::Series() const { return steps_.Names({k_ == 0, k_ == 1}, Index(Item::kBpfT1)); }

bool BpfSweep::Step() {
  ActionContext& ctx = steps_.ctx();
  const int16_t bpfT1 = Index(Item::kBpfT1);
  switch (steps_.state()) {
    case ActState::kBpfStart:
      return SignalStep();
    case ActState::kBpfPreset:
      ForEachSelected(bpfSel_, bpfT1, [&](int16_t, int16_t item) { SetFilter(item, flgBpfAll_ ? 64 : 0); });
      return steps_.Next(ActState::kBpfNextFilter);
    case ActState::kBpfNextFilter: {
      if (!bpfSel_[0] && !bpfSel_[1]) return steps_.Next(ActState::kBpfDone);
      k_ = bpfSel_[0] ? 0 : 1;
      const auto item = static_cast<int16_t>(bpfT1 + k_);
      ctx.Console().Value(item, ctx.Console().Min(item));
      best_ = -1;
      lowest_ = 256;
      firstBest_ = lastBest_ = ctx.Console().Min(item);
      ctx.Observer().SeriesStarted(Series(), saved_[static_cast<size_t>(k_)], std::nullopt);
      return steps_.Next(ActState::kBpfSweep);
    }
    case ActState::kBpfSweep:
      return SweepStep();
    case ActState::kBpfDone: {
      const bool anyFailed = failed_[0] || failed_[1];
      ctx.Observer().ProcedureEnded(anyFailed ? ProcedureOutcome::kFailed : ProcedureOutcome::kDone,
                                    steps_.Values(filters_, bpfT1),
                                    anyFailed ? "no peak: the best level was not 8 counts above the lowest" : "");
      return steps_.Finish();
    }
    default:
      return true;
  }
}

// Without a generator the technician has applied the signal.
bool BpfSweep::SignalStep() {
  if (!steps_.generator()) return steps_.Next(ActState::kBpfPreset);
  const instrument::BenchOptions& bench = steps_.ctx().Generator().options();
  std::string error;
  if (!steps_.Signal({steps_.ctx().ChannelRxHz(), bench.bpfLevel, true}, error)) return false;
  if (!error.empty()) return FailOnGenerator(error);
  return steps_.Next(ActState::kBpfPreset);
}

bool BpfSweep::FailOnGenerator(const std::string& error) {
  ActionContext& ctx = steps_.ctx();
  ForEachSelected(touched_, Index(Item::kBpfT1),
                  [&](int16_t k, int16_t item) { ctx.PutBackItem(item, saved_[static_cast<size_t>(k)]); });
  failed_ = filters_;
  bpfSel_ = {false, false};
  ctx.Observer().ProcedureEnded(ProcedureOutcome::kFailed, steps_.Values(filters_, Index(Item::kBpfT1)), error);
  ctx.Notice(error);
  return steps_.Finish();
}

void BpfSweep::SetFilter(int16_t item, int16_t value) {
  touched_[static_cast<size_t>(item - Index(Item::kBpfT1))] = true;
  steps_.ctx().Console().Value(item, value);
  steps_.ctx().Console().Disp(item);
}

// One reading per setting: send the setting, request SD, collect it; keep the first and last
// setting that gave the best level, and the lowest level.
bool BpfSweep::SweepStep() {
  ActionContext& ctx = steps_.ctx();
  console::clsConsole& con = ctx.Console();
  const auto item = static_cast<int16_t>(Index(Item::kBpfT1) + k_);
  for (;;) {
    if (steps_.counter() == 0) {
      con.SendE8(item);
      steps_.counter() = 1;
      return false;
    }
    if (!ctx.ReadA(kSdReadout, steps_.counter() == 1)) {
      ++steps_.counter();
      return false;
    }
    const int16_t value = con.Value(item);
    con.WaitAfterE8(item, 0);
    const int16_t level = ctx.LastAdA(kSdReadout);
    ctx.Observer().Point(Series(), value, level);
    lowest_ = std::min(lowest_, level);
    if (level >= best_) {
      if (level > best_) firstBest_ = value;
      lastBest_ = value;
      best_ = level;
    }
    if (value < con.Max(item) && (!flgBpfAll_ || value < 127)) {
      con.Value(item, value + (flgBpfAll_ ? 2 : 1));
      steps_.counter() = 0;
      continue;
    }
    EndFilter(item);
    return steps_.Next(ActState::kBpfNextFilter);
  }
}

// The middle of the plateau of maximum level, or the value before the sweep when there is none.
void BpfSweep::EndFilter(int16_t item) {
  const auto k = static_cast<size_t>(k_);
  const bool peak = best_ - lowest_ >= kPeakMargin;
  const auto centre = static_cast<int16_t>(std::floor((firstBest_ + lastBest_) / 2.0));
  steps_.ctx().Observer().SeriesEnded(Series(), firstBest_, lastBest_,
                                      peak ? std::optional<int16_t>(centre) : std::nullopt);
  steps_.ctx().Console().Value(item, peak ? centre : saved_[k]);
  failed_[k] = !peak;
  bpfSel_[k] = false;
}

void BpfSweep::Abort() {
  ActionContext& ctx = steps_.ctx();
  ForEachSelected(touched_, Index(Item::kBpfT1), [&](int16_t k, int16_t item) {
    ctx.PutBackItem(item, saved_[static_cast<size_t>(k)]);
    failed_[static_cast<size_t>(k)] = true;
  });
  ctx.Observer().ProcedureEnded(ProcedureOutcome::kCancelled, steps_.Values(filters_, Index(Item::kBpfT1)),
                                "cut off before it finished: the filters went back to their values");
}

}  // namespace qxt::adjust
