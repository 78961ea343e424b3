#include "adjust/SteadyCycle.h"

namespace qxt::adjust {

Step SteadyCycle::Run(OpState state, bool entry) {
  if (InRange(state, OpState::kReadoutsA, OpState::kLastReadoutA)) {
    return Done(hooks_.ReadA(ReadoutIndex(state, OpState::kReadoutsA), entry));
  }
  if (InRange(state, OpState::kReadoutsB, OpState::kLastReadoutB)) {
    return Done(hooks_.ReadB(ReadoutIndex(state, OpState::kReadoutsB), entry));
  }
  switch (state) {
    case OpState::kCycleStart: {
      const bool readouts = flgReadoutReq_;
      flgReadoutReq_ = false;
      return readouts ? Step::Next() : Step::GoTo(OpState::kLiveUpdate);
    }
    case OpState::kLiveUpdate:
      return Done(liveUpdate_.Run());
    case OpState::kEnterDispatch:
      EnterDispatch();
      return Step::Next();
    case OpState::kRunAction:
      return Done(hooks_.RunAction());
    case OpState::kCycleEnd:
      if (!flgParaDisp_) return Step::GoTo(OpState::kCycleStart);
      hooks_.CancelActions();
      return Step::GoTo(OpState::kParamDisplay);
    case OpState::kParamDisplay:
      if (entry) decoder_.RigK70REep_DispPara(view_.txtDispPara());
      if (flgParaDisp_) return Step::Wait();
      view_.setFocus(Control::kCmd2);
      return Step::GoTo(OpState::kCycleEnd);
    default:
      return Step::Wait();
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
