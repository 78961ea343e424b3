#pragma once
// The program's link (QSerialPort adapter, port owner, driver, sequencer) on the real clock,
// with COM 1 pointing at a running simulator.
#include <string>
#include <vector>

#include "CloneErrorText.h"
#include "EventLoop.h"
#include "QtSerialPort.h"
#include "SimProcess.h"
#include "SteadyTickSource.h"
#include "clsCmcCln3Sequence.h"

struct SimLinkRig : MainWindowHooks, IdentityHooks {
  explicit SimLinkRig(SimProcess& sim) {
    radio.radioNameM("2927");
    radio.radionameS("0100");
    radio.cloneWriteAdrList_Add(0, 32111);
    com.portDevices.setOverride(1, sim.path());
    com.setMainWindow(this);
    com.setSequencer(&seq);
    seq.setHooks(this, this);
  }

  void task() override {
    seq.task();
    if (seq.OpRunning()) seq.task();
  }
  void MsgBoxCloneErr(clsCmcCln3Sequence& s) override {
    messages.push_back(
        CloneErrorText({com.errCannotOpen(), com.errOverflow(), com.comPortNum(), com.cln3D.lastError(), s.error()}));
    seq.easyReset(1);
  }
  void loadData(clsCmcProfileIO&) override {}
  void saveData(clsCmcProfileIO&) override {}
  bool RigOpFunc_CheckSubNameLegal(const std::string& nameS) override { return nameS.substr(0, 2) <= "01"; }
  void RigK70ROp_Digital_Option(bool) override {}

  bool Idle() const { return !seq.OpRunning() && seq.Operation() == 0; }
  // Runs an operation to its end (success or a reported failure).
  bool RunToIdle(int guardMs = 60000) {
    return RunTicksUntil(
        com, [this] { return Idle(); }, guardMs);
  }
  std::string FirstLine() const {
    return messages.empty() ? std::string("(none)") : messages.back().substr(0, messages.back().find('\r'));
  }

  QtSerialPort port;
  clsCmcRadio radio;
  frmCom com{port, SteadyTickSource::instance()};
  clsCmcCln3Sequence seq{com, radio, SteadyTickSource::instance()};
  std::vector<std::string> messages;
};
