#pragma once
// The states of the adjustment task, with the numbers they have always had: idle, the connection
// sequence (1..9), the steady cycle (10..28) and the parameter display (29).

#include <cstdint>

namespace qxt::adjust {

enum class OpState : int16_t {
  kIdle = 0,             // never advances; "Connect" starts kStart
  kStart = 1,            //
  kCloneRead = 2,        // on entry the clone read; after it the interpretation of the image
  kFirstReadouts = 3,    // 3..7: group A readouts 0..4
  kFixedCommand = 8,     // live command 02 with the value 1
  kFirstLiveUpdate = 9,  // every item sent once
  kCycleStart = 10,      // takes the readout request for this cycle
  kReadoutsA = 11,       // 11..15: group A readouts 0..4, when requested
  kReadoutsB = 16,       // 16..24: group B readouts 0..8, when requested
  kLiveUpdate = 25,      // changed items sent
  kEnterDispatch = 26,   // a flagged Enter started
  kRunAction = 27,       // one step of the running Enter procedure
  kCycleEnd = 28,        // on to kCycleStart, or to kParamDisplay when asked
  kParamDisplay = 29,    // the parameter listing covers the console
};

inline constexpr int16_t kOpStateCount = 30;

constexpr int16_t Number(OpState s) { return static_cast<int16_t>(s); }
constexpr OpState operator+(OpState s, int16_t n) { return static_cast<OpState>(Number(s) + n); }
// How far s lies past first.
constexpr int16_t operator-(OpState s, OpState first) { return static_cast<int16_t>(Number(s) - Number(first)); }
constexpr OpState Following(OpState s) { return static_cast<OpState>((Number(s) + 1) % kOpStateCount); }
constexpr bool InRange(OpState s, OpState first, OpState last) { return s >= first && s <= last; }

}  // namespace qxt::adjust
