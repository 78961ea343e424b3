#include "model/RigK70RActions.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace qxt::model {

namespace {

constexpr int16_t kSd = 3;    // group-A readout of the signal detector
constexpr int16_t kLvin = 2;  // group-A readout of LVIN

// The two RSSI points: S3 first, then S1.
constexpr int32_t kPointAddress[2] = {0xAA, 0xA9};
constexpr int16_t kPointCommand[2] = {0x16, 0x15};

}  // namespace

void RigK70RActions::StartRssi() {
  flgRssiPhase_ = false;
  rssiFailed_ = true;
  pointStored_ = {false, false};
  for (size_t p = 0; p < 2; ++p) pointSaved_[p] = static_cast<uint8_t>(ctx_.EepromByte(kPointAddress[p]));
  actState_ = ActState::kRssiStart;
}

void RigK70RActions::StartBpf(const Selection& filters, bool all, int16_t line) {
  flgBpfAll_ = all;
  bpfSel_ = filters;
  sweepLine_ = line;
  touched_ = {false, false};
  ForEachSelected(bpfSel_, ctx_.Indices().bpfT1, [&](int16_t k, int16_t item) {
    saved_[static_cast<size_t>(k)] = ctx_.Console().Value(item);
    bpfFailed_[static_cast<size_t>(k)] = true;
  });
  actState_ = ActState::kBpfStart;
}

void RigK70RActions::StartLva(int16_t k) {
  lvaSel_ = {k == 0, k == 1};
  touched_ = {false, false};
  actState_ = ActState::kLvaStart;
}

bool RigK70RActions::Step() {
  if (IsRssi(actState_)) return ActRssi();
  if (IsBpf(actState_)) return ActBpfSweep();
  if (IsLva(actState_)) return ActLvaAdjust();
  return true;
}

void RigK70RActions::Abort() {
  if (IsRssi(actState_)) {
    PutBackRssiPoints();
  } else if (IsBpf(actState_) || IsLva(actState_)) {
    const int16_t first = IsBpf(actState_) ? ctx_.Indices().bpfT1 : ctx_.Indices().rxLva;
    Selection& failed = IsBpf(actState_) ? bpfFailed_ : lvaFailed_;
    ForEachSelected(IsBpf(actState_) ? touched_ : lvaSel_, first, [&](int16_t k, int16_t item) {
      if (touched_[static_cast<size_t>(k)]) ctx_.PutBackItem(item, saved_[static_cast<size_t>(k)]);
      failed[static_cast<size_t>(k)] = true;
    });
  }
  actState_ = ActState::kNone;
}

bool RigK70RActions::Next(ActState state) {
  actState_ = state;
  readFirst_ = true;
  counter_ = 0;
  return true;
}

// The action has done its work: a beep tells the technician.
bool RigK70RActions::Finish() {
  Next(ActState::kNone);
  ctx_.Beep();
  return true;
}

bool RigK70RActions::ReadA(int16_t index) {
  const bool done = ctx_.ReadA(index, readFirst_);
  readFirst_ = false;
  return done;
}

bool RigK70RActions::ActRssi() {
  if (ctx_.SequencerRunning()) return false;
  switch (actState_) {
    case ActState::kRssiStart:
      flgRssiStep_ = false;
      rssiAck_ = false;
      return Next(ActState::kRssiRead);
    case ActState::kRssiRead:
      if (!ReadA(kSd)) return false;
      if (flgRssiStep_ && !StoreRssiPoint()) return Finish();
      rssiAck_ = flgRssiStep_;
      return Next(ActState::kRssiConfirm);
    case ActState::kRssiConfirm:
      if (!rssiAck_) return Next(ActState::kRssiRead);
      if (flgRssiPhase_) {
        flgRssiStep_ = flgRssiPhase_ = false;
        rssiFailed_ = false;
        return Finish();
      }
      flgRssiPhase_ = true;
      Next(ActState::kRssiStart);
      ctx_.Console().Disp(ctx_.Indices().rssi);
      return true;
    default:
      return true;
  }
}

// The reading the technician confirmed becomes the point of this phase. An S1 level that is not
// below the S3 level cannot be a calibration (no signal, the wrong level applied): refused.
bool RigK70RActions::StoreRssiPoint() {
  const int16_t v = ctx_.LastAdA(kSd);
  const size_t p = flgRssiPhase_ ? 1 : 0;
  if (p == 1 && v >= s3Level_) {
    flgRssiStep_ = flgRssiPhase_ = false;
    PutBackRssiPoints();
    return false;
  }
  if (p == 0) s3Level_ = v;
  ctx_.SendLive(kPointCommand[p], v);
  ctx_.WriteEeprom(kPointAddress[p], static_cast<uint8_t>(v));
  pointStored_[p] = true;
  return true;
}

void RigK70RActions::PutBackRssiPoints() {
  for (size_t p = 0; p < 2; ++p) {
    if (pointStored_[p]) ctx_.PutBackByte(kPointCommand[p], kPointAddress[p], pointSaved_[p]);
  }
  pointStored_ = {false, false};
  rssiFailed_ = true;
}

bool RigK70RActions::ActBpfSweep() {
  if (ctx_.SequencerRunning()) return false;
  const int16_t bpfT1 = ctx_.Indices().bpfT1;
  switch (actState_) {
    case ActState::kBpfStart:
      return Next(ActState::kBpfPreset);
    case ActState::kBpfPreset:
      ForEachSelected(bpfSel_, bpfT1, [&](int16_t, int16_t item) { SetFilter(item, flgBpfAll_ ? 64 : 0); });
      return Next(ActState::kBpfNextFilter);
    case ActState::kBpfNextFilter: {
      if (!bpfSel_[0] && !bpfSel_[1]) return Next(ActState::kBpfDone);
      k_ = bpfSel_[0] ? 0 : 1;
      const auto item = static_cast<int16_t>(bpfT1 + k_);
      ctx_.Console().Value(item, ctx_.Console().Min(item));
      best_ = -1;
      lowest_ = 256;
      firstBest_ = lastBest_ = ctx_.Console().Min(item);
      return Next(ActState::kBpfSweep);
    }
    case ActState::kBpfSweep:
      return SweepStep();
    case ActState::kBpfDone:
      return Finish();
    default:
      return true;
  }
}

void RigK70RActions::SetFilter(int16_t item, int16_t value) {
  touched_[static_cast<size_t>(item - ctx_.Indices().bpfT1)] = true;
  ctx_.Console().Value(item, value);
  ctx_.Console().Disp(item);
}

// One reading per setting: send the setting, request SD, collect it; keep the first and last
// setting that gave the best level, and the lowest level.
bool RigK70RActions::SweepStep() {
  console::clsConsole& con = ctx_.Console();
  const auto item = static_cast<int16_t>(ctx_.Indices().bpfT1 + k_);
  for (;;) {
    if (counter_ == 0) {
      con.SendE8(item);
      counter_ = 1;
      return false;
    }
    if (!ctx_.ReadA(kSd, counter_ == 1)) {
      ++counter_;
      return false;
    }
    const int16_t value = con.Value(item);
    con.WaitAfterE8(item, 0);
    const int16_t level = ctx_.LastAdA(kSd);
    lowest_ = std::min(lowest_, level);
    if (level >= best_) {
      if (level > best_) firstBest_ = value;
      lastBest_ = value;
      best_ = level;
    }
    if (value < con.Max(item) && (!flgBpfAll_ || value < 127)) {
      con.Value(item, value + (flgBpfAll_ ? 2 : 1));
      counter_ = 0;
      continue;
    }
    EndFilter(item);
    return Next(ActState::kBpfNextFilter);
  }
}

// The middle of the plateau of maximum level, or the value before the sweep when there is none.
void RigK70RActions::EndFilter(int16_t item) {
  const auto k = static_cast<size_t>(k_);
  const bool peak = best_ - lowest_ >= kPeakMargin;
  ctx_.Console().Value(item, peak ? static_cast<int32_t>(std::floor((firstBest_ + lastBest_) / 2.0)) : saved_[k]);
  bpfFailed_[k] = !peak;
  bpfSel_[k] = false;
}

void RigK70RActions::SetSelectedLva(int16_t value) {
  ForEachSelected(lvaSel_, ctx_.Indices().rxLva, [&](int16_t k, int16_t item) {
    touched_[static_cast<size_t>(k)] = true;
    ctx_.Console().Value(item, value);
    ctx_.Console().Disp(item);
  });
}

bool RigK70RActions::ActLvaAdjust() {
  if (ctx_.SequencerRunning()) return false;
  console::clsConsole& con = ctx_.Console();
  const ItemIndices& idx = ctx_.Indices();
  switch (actState_) {
    case ActState::kLvaStart:
      low_ = 0;
      high_ = 255;
      ForEachSelected(lvaSel_, idx.lvRxLva, [&](int16_t k, int16_t item) {
        target_ = con.Value(item);
        lvaFailed_[static_cast<size_t>(k)] = true;
      });
      return Next(ActState::kLvaSetLow);
    case ActState::kLvaSetLow:
      ForEachSelected(lvaSel_, idx.rxLva,
                      [&](int16_t k, int16_t item) { saved_[static_cast<size_t>(k)] = con.Value(item); });
      SetSelectedLva(low_);
      return Next(ActState::kLvaReadLow);
    case ActState::kLvaSetHigh:
      SetSelectedLva(high_);
      return Next(ActState::kLvaReadHigh);
    case ActState::kLvaSetMid:
      mid_ = static_cast<int16_t>(std::floor((low_ + high_) / 2.0 + 0.5));
      SetSelectedLva(mid_);
      ForEachSelected(lvaSel_, idx.rxLva, [&](int16_t, int16_t item) { con.WaitAfterE8(item, 500); });
      return Next(ActState::kLvaReadMid);
    case ActState::kLvaReadLow:
    case ActState::kLvaReadHigh:
    case ActState::kLvaReadMid:
      return LvaMeasure();
    case ActState::kLvaCheckRange:
    case ActState::kLvaNarrow:
      return LvaDecide();
    case ActState::kLvaDone:
      return Finish();
    default:
      return true;
  }
}

// LVIN at the low end, the high end or the midpoint of the interval.
bool RigK70RActions::LvaMeasure() {
  if (!ReadA(kLvin)) return false;
  const int16_t level = ctx_.LastAdA(kLvin);
  switch (actState_) {
    case ActState::kLvaReadLow:
      levelLow_ = level;
      return Next(ActState::kLvaSetHigh);
    case ActState::kLvaReadHigh:
      levelHigh_ = level;
      return Next(ActState::kLvaCheckRange);
    default:
      levelMid_ = level;
      ForEachSelected(lvaSel_, ctx_.Indices().rxLva,
                      [&](int16_t, int16_t item) { ctx_.Console().WaitAfterE8(item, 0); });
      return Next(ActState::kLvaNarrow);
  }
}

// After the two ends: give up when the target lies outside them. After a midpoint: done when it
// hits the target or the interval is narrow, else halve the interval.
bool RigK70RActions::LvaDecide() {
  console::clsConsole& con = ctx_.Console();
  if (actState_ == ActState::kLvaCheckRange) {
    if (levelLow_ > levelHigh_) {
      std::swap(low_, high_);
      std::swap(levelLow_, levelHigh_);
    }
    if (target_ > levelLow_ && target_ < levelHigh_) return Next(ActState::kLvaSetMid);
    ForEachSelected(lvaSel_, ctx_.Indices().rxLva, [&](int16_t k, int16_t item) {
      con.Value(item, saved_[static_cast<size_t>(k)]);
      con.Disp(item);
    });
    touched_ = {false, false};
    return Next(ActState::kLvaDone);
  }
  if (std::abs(high_ - low_) <= 2 || target_ == levelMid_) {
    ForEachSelected(lvaSel_, 0, [&](int16_t k, int16_t) { lvaFailed_[static_cast<size_t>(k)] = false; });
    touched_ = {false, false};
    return Next(ActState::kLvaDone);
  }
  if (target_ > levelMid_) {
    low_ = mid_;
    levelLow_ = levelMid_;
  } else {
    high_ = mid_;
    levelHigh_ = levelMid_;
  }
  return Next(ActState::kLvaSetMid);
}

}  // namespace qxt::model
