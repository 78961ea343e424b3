#pragma once
// The adjustment task's state and the way from one state to the next. The work of a state (in the
// connection sequence and the steady cycle) returns a Step; the machine is the only writer of the
// state. The table of successors reads as the task runs:
//
//   kStart -> kCloneRead -> group A readouts (3..7) -> kFixedCommand -> kFirstLiveUpdate
//   -> kCycleStart -> [group A (11..15) -> group B (16..24), when asked] -> kLiveUpdate
//   -> kEnterDispatch -> kRunAction -> kCycleEnd -> kCycleStart (or kParamDisplay -> kCycleEnd)
//
// A state's work may also go to another state than its successor (kCycleStart skips the readouts
// no one asked for; kCycleEnd turns into the parameter display and back).

#include <cstdint>

#include "adjust/OpState.h"

namespace qxt::adjust {

struct Step {
  enum class Kind { kWait, kNext, kGoTo };
  Kind kind = Kind::kWait;
  OpState to = OpState::kIdle;

  // Not done yet: the same state runs again on a later pass, no longer as its entry.
  static constexpr Step Wait() { return {Kind::kWait, OpState::kIdle}; }
  // Done: on to the successor in the table.
  static constexpr Step Next() { return {Kind::kNext, OpState::kIdle}; }
  // Done: on to state s instead.
  static constexpr Step GoTo(OpState s) { return {Kind::kGoTo, s}; }
};

// Next when the work is done, else Wait.
constexpr Step Done(bool done) { return done ? Step::Next() : Step::Wait(); }

class TaskMachine {
 public:
  OpState state() const { return state_; }
  // The state runs for the first time since it was entered.
  bool entering() const { return entering_; }

  // The only way the state changes.
  void Enter(OpState s) {
    state_ = s;
    entering_ = true;
  }
  // Follows what the state's work returned; false when it waits.
  bool Follow(Step step);

  // The successor of s in the table (kIdle stays kIdle).
  static OpState Successor(OpState s);

 private:
  OpState state_ = OpState::kIdle;
  bool entering_ = true;
};

}  // namespace qxt::adjust
