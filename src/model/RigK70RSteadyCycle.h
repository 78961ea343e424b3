#pragma once
// The steady cycle of the adjustment task (states 10..28) and the parameter display (29): the
// readouts when they were asked for, the live update, the Enter dispatch, one step of the running
// procedure, and the way into and out of the parameter display.

#include <cstdint>

#include "console/clsConsole.h"
#include "memory/clsIndEep_RigK70R.h"
#include "model/MainView.h"
#include "model/OpState.h"
#include "model/RigK70RLiveUpdate.h"
#include "model/TaskHooks.h"

namespace qxt::model {

class RigK70RSteadyCycle {
 public:
  RigK70RSteadyCycle(console::clsConsole& console, RigK70RLiveUpdate& liveUpdate, TaskHooks& hooks,
                     const memory::clsIndEep_RigK70R& decoder, MainView& view)
      : console_(console), liveUpdate_(liveUpdate), hooks_(hooks), decoder_(decoder), view_(view) {}

  // The work of one state of the cycle; true when it advances (next may be changed).
  bool Run(OpState state, bool entry, OpState& next);

  // "Reload(F5)", and the first cycle after a connection: all fourteen readouts once.
  void RequestReadout() { flgReadoutReq_ = true; }
  bool flgReadoutReq() const { return flgReadoutReq_; }
  // "Disp para": into the parameter display, or back out of it.
  void flgParaDisp(bool on) { flgParaDisp_ = on; }
  bool flgParaDisp() const { return flgParaDisp_; }

 private:
  void EnterDispatch();

  console::clsConsole& console_;
  RigK70RLiveUpdate& liveUpdate_;
  TaskHooks& hooks_;
  const memory::clsIndEep_RigK70R& decoder_;
  MainView& view_;
  bool flgReadoutReq_ = false;
  bool flgReadoutOn_ = false;
  bool flgParaDisp_ = false;
};

}  // namespace qxt::model
