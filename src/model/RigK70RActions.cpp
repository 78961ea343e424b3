#include "model/RigK70RActions.h"

#include <cmath>
#include <cstdlib>
#include <utility>

#include "console/clsConsole.h"

namespace qxt::model {

namespace {

constexpr int16_t kSd = 3;    // group-A readout of the signal detector
constexpr int16_t kLvin = 2;  // group-A readout of LVIN

}  // namespace

bool RigK70RActions::Next(int16_t state) {
  actState = state;
  readFirst_ = true;
  counter_ = 0;
  return true;
}

bool RigK70RActions::ReadA(ActionContext& ctx, int16_t index, bool& done) {
  ctx.ReadAdGroupA(index, readFirst_, done);
  readFirst_ = false;
  return done;
}

bool RigK70RActions::ActRssi(ActionContext& ctx, const ActionIndices& idx) {
  if (ctx.SequencerRunning()) return false;
  switch (actState) {
    case 6:
      flgRssiStep = false;
      rssiAck_ = false;
      return Next(7);
    case 7: {
      bool done = false;
      if (!ReadA(ctx, kSd, done)) return false;
      if (flgRssiStep) {
        const int16_t v = ctx.LastAdA(kSd);
        ctx.SendLive(flgRssiPhase ? 0x15 : 0x16, v);
        ctx.WriteEeprom(flgRssiPhase ? 169 : 170, static_cast<uint8_t>(v));
      }
      rssiAck_ = flgRssiStep;
      return Next(8);
    }
    case 8:
      if (!rssiAck_) return Next(7);
      if (flgRssiPhase) {
        Next(0);
        flgRssiStep = flgRssiPhase = false;
        ctx.Beep();
      } else {
        flgRssiPhase = true;
        Next(6);
        ctx.Console().Disp(idx.rssi);
      }
      return true;
    default:
      return true;
  }
}

bool RigK70RActions::ActBpfSweep(ActionContext& ctx, const ActionIndices& idx) {
  if (ctx.SequencerRunning()) return false;
  console::clsConsole& con = ctx.Console();
  switch (actState) {
    case 12:
      return Next(13);
    case 13:
      for (int16_t k = 0; k < 2; ++k) {
        if (!bpfSel[static_cast<size_t>(k)]) continue;
        con.Value(static_cast<int16_t>(idx.bpfT1 + k), flgBpfAll ? 64 : 0);
        con.Disp(static_cast<int16_t>(idx.bpfT1 + k));
      }
      return Next(14);
    case 14: {
      if (!bpfSel[0] && !bpfSel[1]) return Next(16);
      k_ = bpfSel[0] ? 0 : 1;
      const auto item = static_cast<int16_t>(idx.bpfT1 + k_);
      con.Value(item, con.Min(item));
      best_ = -1;
      firstBest_ = lastBest_ = con.Min(item);
      return Next(15);
    }
    case 15:
      return SweepStep(ctx, idx);
    case 16:
      Next(0);
      ctx.Beep();
      return true;
    default:
      return true;
  }
}

// One reading per setting: send the setting, request SD, collect it; keep the first and last
// setting that gave the best level, and end at the middle of them.
bool RigK70RActions::SweepStep(ActionContext& ctx, const ActionIndices& idx) {
  console::clsConsole& con = ctx.Console();
  const auto item = static_cast<int16_t>(idx.bpfT1 + k_);
  for (;;) {
    if (counter_ == 0) {
      con.SendE8(item);
      counter_ = 1;
      return false;
    }
    bool done = false;
    ctx.ReadAdGroupA(kSd, counter_ == 1, done);
    if (!done) {
      ++counter_;
      return false;
    }
    const int16_t value = con.Value(item);
    con.WaitAfterE8(item, 0);
    const int16_t level = ctx.LastAdA(kSd);
    if (level >= best_) {
      if (level > best_) firstBest_ = value;
      lastBest_ = value;
      best_ = level;
    }
    if (value < con.Max(item) && (!flgBpfAll || value < 127)) {
      con.Value(item, value + (flgBpfAll ? 2 : 1));
      counter_ = 0;
      continue;
    }
    con.Value(item, static_cast<int32_t>(std::floor((firstBest_ + lastBest_) / 2.0)));
    bpfSel[static_cast<size_t>(k_)] = false;
    return Next(14);
  }
}

void RigK70RActions::SetSelectedLva(ActionContext& ctx, const ActionIndices& idx, int16_t value) {
  for (int16_t k = 0; k < 2; ++k) {
    if (!lvaSel[static_cast<size_t>(k)]) continue;
    ctx.Console().Value(static_cast<int16_t>(idx.rxLva + k), value);
    ctx.Console().Disp(static_cast<int16_t>(idx.rxLva + k));
  }
}

bool RigK70RActions::ActLvaAdjust(ActionContext& ctx, const ActionIndices& idx) {
  if (ctx.SequencerRunning()) return false;
  console::clsConsole& con = ctx.Console();
  bool done = false;
  switch (actState) {
    case 17:
      low_ = 0;
      high_ = 255;
      for (size_t k = 0; k < 2; ++k) {
        if (!lvaSel[k]) continue;
        target_ = con.Value(static_cast<int16_t>(idx.lvRxLva + k));
        lvaFailed[k] = true;
      }
      return Next(18);
    case 18:
      for (size_t k = 0; k < 2; ++k) {
        if (lvaSel[k]) saved_[k] = con.Value(static_cast<int16_t>(idx.rxLva + k));
      }
      SetSelectedLva(ctx, idx, low_);
      return Next(19);
    case 19:
      if (!ReadA(ctx, kLvin, done)) return false;
      levelLow_ = ctx.LastAdA(kLvin);
      return Next(20);
    case 20:
      SetSelectedLva(ctx, idx, high_);
      return Next(21);
    case 21:
      if (!ReadA(ctx, kLvin, done)) return false;
      levelHigh_ = ctx.LastAdA(kLvin);
      return Next(22);
    case 22:
      if (levelLow_ > levelHigh_) {
        std::swap(low_, high_);
        std::swap(levelLow_, levelHigh_);
      }
      if (target_ > levelLow_ && target_ < levelHigh_) return Next(23);
      for (int16_t k = 0; k < 2; ++k) {
        if (!lvaSel[static_cast<size_t>(k)]) continue;
        con.Value(static_cast<int16_t>(idx.rxLva + k), saved_[static_cast<size_t>(k)]);
        con.Disp(static_cast<int16_t>(idx.rxLva + k));
      }
      return Next(26);
    case 23:
      mid_ = static_cast<int16_t>(std::floor((low_ + high_) / 2.0 + 0.5));
      SetSelectedLva(ctx, idx, mid_);
      for (int16_t k = 0; k < 2; ++k) {
        if (lvaSel[static_cast<size_t>(k)]) con.WaitAfterE8(static_cast<int16_t>(idx.rxLva + k), 500);
      }
      return Next(24);
    case 24:
      if (!ReadA(ctx, kLvin, done)) return false;
      levelMid_ = ctx.LastAdA(kLvin);
      for (int16_t k = 0; k < 2; ++k) {
        if (lvaSel[static_cast<size_t>(k)]) con.WaitAfterE8(static_cast<int16_t>(idx.rxLva + k), 0);
      }
      return Next(25);
    case 25:
      if (std::abs(high_ - low_) <= 2 || target_ == levelMid_) {
        for (size_t k = 0; k < 2; ++k) {
          if (lvaSel[k]) lvaFailed[k] = false;
        }
        return Next(26);
      }
      if (target_ > levelMid_) {
        low_ = mid_;
        levelLow_ = levelMid_;
      } else {
        high_ = mid_;
        levelHigh_ = levelMid_;
      }
      return Next(23);
    case 26:
      Next(0);
      ctx.Beep();
      return true;
    default:
      return true;
  }
}

}  // namespace qxt::model
