#pragma once
// The steady cycle of the adjustment task (states 10..28) and the parameter display (29): the
// readouts when they were asked for, the live update, the Enter dispatch, one step of the running
// procedure, and the way into and out of the parameter display.

#include <cstdint>

#include "adjust/LiveUpdate.h"
#include "adjust/OpState.h"
#include "adjust/TaskHooks.h"
#include "adjust/TaskMachine.h"
#include "adjust/TaskView.h"
#include "console/clsConsole.h"
#include "memory/clsIndEep_RigK70R.h"

namespace qxt::adjust {

class SteadyCycle {
 public:
  SteadyCycle(console::clsConsole& console, LiveUpdate& liveUpdate, TaskHooks& hooks,
              const memory::clsIndEep_RigK70R& decoder, TaskView& view)
      : console_(console), liveUpdate_(liveUpdate), hooks_(hooks), decoder_(decoder), view_(view) {}

  // The work of one state of the cycle (entry: its first run since it was entered). The readouts
  // are skipped in a cycle no one asked them for.
  Step Run(OpState state, bool entry);

  // "Reload(F5)", and the first cycle after a connection: all fourteen readouts once.
  void RequestReadout() { flgReadoutReq_ = true; }
  bool flgReadoutReq() const { return flgReadoutReq_; }
  // "Disp para": into the parameter display, or back out of it.
  void SetParaDisp(bool on) { flgParaDisp_ = on; }
  bool flgParaDisp() const { return flgParaDisp_; }

 private:
  void EnterDispatch();

  console::clsConsole& console_;
  LiveUpdate& liveUpdate_;
  TaskHooks& hooks_;
  const memory::clsIndEep_RigK70R& decoder_;
  TaskView& view_;
  bool flgReadoutReq_ = false;
  bool flgParaDisp_ = false;
};

}  // namespace qxt::adjust
