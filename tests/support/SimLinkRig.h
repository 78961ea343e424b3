#pragma once
// The program's link (QSerialPort adapter, port owner, driver, sequencer) on the real clock,
// with COM 1 pointing at a running simulator.
#include "app/QtSerialPort.h"
#include "common/SteadyTickSource.h"
#include "support/EventLoop.h"
#include "support/LinkAssembly.h"
#include "support/SimProcess.h"

namespace qxt::test {

struct SimLinkRig : LinkAssembly<app::QtSerialPort, common::SteadyTickSource> {
  explicit SimLinkRig(SimProcess& sim) { com.portDevices().setOverride(1, sim.path()); }

  bool Idle() const { return !seq.OpRunning() && seq.Operation() == link::Operation::kStandby; }
  // Runs an operation to its end (success or a reported failure).
  bool RunToIdle(int guardMs = 60000) {
    return RunTicksUntil(
        com, [this] { return Idle(); }, guardMs);
  }
};

}  // namespace qxt::test
