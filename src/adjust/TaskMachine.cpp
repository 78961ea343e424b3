#include "adjust/TaskMachine.h"

namespace qxt::adjust {

bool TaskMachine::Follow(Step step) {
  switch (step.kind) {
    case Step::Kind::kWait:
      entering_ = false;
      return false;
    case Step::Kind::kNext:
      Enter(Successor(state_));
      return true;
    case Step::Kind::kGoTo:
      Enter(step.to);
      return true;
  }
  return false;
}

OpState TaskMachine::Successor(OpState s) {
  switch (s) {
    case OpState::kIdle:
      return OpState::kIdle;
    case OpState::kLastFirstReadout:
      return OpState::kFixedCommand;
    case OpState::kLastReadoutB:
      return OpState::kLiveUpdate;
    case OpState::kCycleEnd:
      return OpState::kCycleStart;
    case OpState::kParamDisplay:
      return OpState::kCycleEnd;
    default:
      // Every other state, the readouts within their groups among them, is followed by the next
      // number.
      return static_cast<OpState>(Number(s) + 1);
  }
}

}  // namespace qxt::adjust
