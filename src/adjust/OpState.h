#pragma once
// The states of the adjustment task, with the numbers they have always had: idle, the connection
// sequence (1..9), the steady cycle (10..28) and the parameter display (29). The readouts take
// one state each; the states between a group's first and last are named by their offset.

#include <cstdint>

namespace qxt::adjust {

enum class OpState : int16_t {
  kIdle = 0,              // never advances; "Connect" starts kStart
  kStart = 1,             //
  kCloneRead = 2,         // on entry the clone read; after it the interpretation of the image
  kFirstReadouts = 3,     // 3..7: group A readouts 0..4
  kLastFirstReadout = 7,  //
  kFixedCommand = 8,      // live command 02 with the value 1
  kFirstLiveUpdate = 9,   // every item sent once
  kCycleStart = 10,       // takes the readout request for this cycle
  kReadoutsA = 11,        // 11..15: group A readouts 0..4, when requested
  kLastReadoutA = 15,     //
  kReadoutsB = 16,        // 16..24: group B readouts 0..8, when requested
  kLastReadoutB = 24,     //
  kLiveUpdate = 25,       // changed items sent
  kEnterDispatch = 26,    // a flagged Enter started
  kRunAction = 27,        // one step of the running Enter procedure
  kCycleEnd = 28,         // on to kCycleStart, or to kParamDisplay when asked
  kParamDisplay = 29,     // the parameter listing covers the console
};

inline constexpr int16_t kOpStateCount = 30;

constexpr int16_t Number(OpState s) { return static_cast<int16_t>(s); }
constexpr bool InRange(OpState s, OpState first, OpState last) { return s >= first && s <= last; }
// Which readout of its group the state s reads, counting from the group's first state.
constexpr int16_t ReadoutIndex(OpState s, OpState first) { return static_cast<int16_t>(Number(s) - Number(first)); }

}  // namespace qxt::adjust
