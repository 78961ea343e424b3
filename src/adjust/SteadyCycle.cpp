#include "adjust/SteadyCycle.h"

namespace qxt::adjust {

bool SteadyCycle::Run(OpState state, bool entry, OpState& next) {
  if (InRange(state, OpState::kReadoutsA, OpState::kReadoutsA + 4)) {
    return !flgReadoutOn_ || hooks_.ReadA(state - OpState::kReadoutsA, entry);
  }
  if (InRange(state, OpState::kReadoutsB, OpState::kReadoutsB + 8)) {
    return !flgReadoutOn_ || hooks_.ReadB(state - OpState::kReadoutsB, entry);
  }
  switch (state) {
    case OpState::kCycleStart:
      flgReadoutOn_ = flgReadoutReq_;
      flgReadoutReq_ = false;
      return true;
    case OpState::kLiveUpdate:
      return liveUpdate_.Run();
    case OpState::kEnterDispatch:
      EnterDispatch();
      return true;
    case OpState::kRunAction:
      return hooks_.RunAction();
    case OpState::kCycleEnd:
      if (flgParaDisp_) {
        hooks_.CancelActions();
        next = OpState::kParamDisplay;
      } else {
        next = OpState::kCycleStart;
      }
      return true;
    case OpState::kParamDisplay:
      if (entry) decoder_.RigK70REep_DispPara(view_.txtDispPara());
      if (flgParaDisp_) return false;
      next = OpState::kCycleEnd;
      view_.setFocus(Control::kCmd2);
      return true;
    default:
      return false;
  }
}

// The first item whose Enter waits starts its action.
void SteadyCycle::EnterDispatch() {
  for (int16_t i = 0; i < console_.ListCount(); ++i) {
    if (console_.flgEnterOn(i) && console_.Event_Enter(i) >= 0) {
      console_.flgEnterOn(i, false);
      console_.EnterExec(i);
      return;
    }
  }
}

}  // namespace qxt::adjust
