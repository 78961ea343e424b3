#include "adjust/LvaAdjust.h"

#include <cmath>
#include <cstdlib>
#include <utility>

namespace qxt::adjust {

void LvaAdjust::Start(int16_t k) {
  lvaSel_ = {k == 0, k == 1};
  touched_ = {false, false};
  const int16_t first = Index(Item::kRxLva);
  steps_.ctx().Observer().ProcedureStarted(ProcedureKind::kLvaAdjust, steps_.Names(lvaSel_, first),
                                           steps_.Values(lvaSel_, first));
  steps_.Next(ActState::kLvaStart);
}

std::string LvaAdjust::Series() const { return steps_.Names(lvaSel_, Index(Item::kRxLva)); }

void LvaAdjust::SetSelected(int16_t value) {
  ForEachSelected(lvaSel_, Index(Item::kRxLva), [&](int16_t k, int16_t item) {
    touched_[static_cast<size_t>(k)] = true;
    steps_.ctx().Console().Value(item, value);
    steps_.ctx().Console().Disp(item);
  });
}

void LvaAdjust::SetWaits(int32_t ms) {
  ForEachSelected(lvaSel_, Index(Item::kRxLva),
                  [&](int16_t, int16_t item) { steps_.ctx().Console().WaitAfterE8(item, ms); });
}

bool LvaAdjust::Step() {
  console::clsConsole& con = steps_.ctx().Console();
  switch (steps_.state()) {
    case ActState::kLvaStart:
      low_ = 0;
      high_ = 255;
      ForEachSelected(lvaSel_, Index(Item::kLvRxLva), [&](int16_t k, int16_t item) {
        target_ = con.Value(item);
        lvaFailed_[static_cast<size_t>(k)] = true;
      });
      ForEachSelected(lvaSel_, Index(Item::kRxLva), [&](int16_t, int16_t item) {
        steps_.ctx().Observer().SeriesStarted(Series(), con.Value(item), target_);
      });
      return steps_.Next(ActState::kLvaSetLow);
    case ActState::kLvaSetLow:
      ForEachSelected(lvaSel_, Index(Item::kRxLva),
                      [&](int16_t k, int16_t item) { saved_[static_cast<size_t>(k)] = con.Value(item); });
      SetSelected(low_);
      return steps_.Next(ActState::kLvaReadLow);
    case ActState::kLvaSetHigh:
      SetSelected(high_);
      return steps_.Next(ActState::kLvaReadHigh);
    case ActState::kLvaSetMid:
      mid_ = static_cast<int16_t>(std::floor((low_ + high_) / 2.0 + 0.5));
      SetSelected(mid_);
      SetWaits(500);
      return steps_.Next(ActState::kLvaReadMid);
    case ActState::kLvaReadLow:
    case ActState::kLvaReadHigh:
    case ActState::kLvaReadMid:
      return Measure();
    case ActState::kLvaCheckRange:
    case ActState::kLvaNarrow:
      return Decide();
    case ActState::kLvaDone: {
      const bool failed = lvaFailed_[0] || lvaFailed_[1];
      steps_.ctx().Observer().ProcedureEnded(failed ? ProcedureOutcome::kFailed : ProcedureOutcome::kDone,
                                             steps_.Values(lvaSel_, Index(Item::kRxLva)),
                                             failed ? "the target lies outside the levels at 0 and 255" : "");
      return steps_.Finish();
    }
    default:
      return true;
  }
}

// LVIN at the low end, the high end or the midpoint of the interval.
bool LvaAdjust::Measure() {
  if (!steps_.ReadA(kLvinReadout)) return false;
  const int16_t level = steps_.ctx().LastAdA(kLvinReadout);
  switch (steps_.state()) {
    case ActState::kLvaReadLow:
      steps_.ctx().Observer().Point(Series(), low_, level);
      levelLow_ = level;
      return steps_.Next(ActState::kLvaSetHigh);
    case ActState::kLvaReadHigh:
      steps_.ctx().Observer().Point(Series(), high_, level);
      levelHigh_ = level;
      return steps_.Next(ActState::kLvaCheckRange);
    default:
      steps_.ctx().Observer().Point(Series(), mid_, level);
      levelMid_ = level;
      SetWaits(0);
      return steps_.Next(ActState::kLvaNarrow);
  }
}

// After the two ends: give up when the target lies outside them. After a midpoint: done when it
// hits the target or the interval is narrow, else halve the interval.
bool LvaAdjust::Decide() {
  console::clsConsole& con = steps_.ctx().Console();
  if (steps_.state() == ActState::kLvaCheckRange) {
    if (levelLow_ > levelHigh_) {
      std::swap(low_, high_);
      std::swap(levelLow_, levelHigh_);
    }
    if (target_ > levelLow_ && target_ < levelHigh_) return steps_.Next(ActState::kLvaSetMid);
    ForEachSelected(lvaSel_, Index(Item::kRxLva), [&](int16_t k, int16_t item) {
      con.Value(item, saved_[static_cast<size_t>(k)]);
      con.Disp(item);
    });
    touched_ = {false, false};
    steps_.ctx().Observer().SeriesEnded(Series(), low_, high_, std::nullopt);
    return steps_.Next(ActState::kLvaDone);
  }
  if (std::abs(high_ - low_) <= 2 || target_ == levelMid_) {
    ForEachSelected(lvaSel_, 0, [&](int16_t k, int16_t) { lvaFailed_[static_cast<size_t>(k)] = false; });
    touched_ = {false, false};
    steps_.ctx().Observer().SeriesEnded(Series(), low_, high_, mid_);
    return steps_.Next(ActState::kLvaDone);
  }
  if (target_ > levelMid_) {
    low_ = mid_;
    levelLow_ = levelMid_;
  } else {
    high_ = mid_;
    levelHigh_ = levelMid_;
  }
  return steps_.Next(ActState::kLvaSetMid);
}

void LvaAdjust::Abort() {
  ActionContext& ctx = steps_.ctx();
  ForEachSelected(lvaSel_, Index(Item::kRxLva), [&](int16_t k, int16_t item) {
    if (touched_[static_cast<size_t>(k)]) ctx.PutBackItem(item, saved_[static_cast<size_t>(k)]);
    lvaFailed_[static_cast<size_t>(k)] = true;
  });
  ctx.Observer().ProcedureEnded(ProcedureOutcome::kCancelled, steps_.Values(lvaSel_, Index(Item::kRxLva)),
                                "cut off before it finished: the setting went back to its value");
}

}  // namespace qxt::adjust
