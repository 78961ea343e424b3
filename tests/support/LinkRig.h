#pragma once
// The link as the program assembles it (port owner, driver, sequencer, radio identity), on a
// fake port and a settable clock, with a main window that only runs the sequencer.
#include <string>
#include <vector>

#include "CloneErrorText.h"
#include "FakeSerialPort.h"
#include "FakeTickSource.h"
#include "Frames.h"
#include "clsCmcCln3Sequence.h"
#include "clsCmcRadio.h"
#include "frmCom.h"

struct LinkRig : MainWindowHooks, IdentityHooks {
  LinkRig() {
    radio.radioNameM("2927");
    radio.radionameS("0100");
    radio.cloneWriteAdrList_Add(0, 32111);
    com.setMainWindow(this);
    com.setSequencer(&seq);
    seq.setHooks(this, this);
  }

  // MainWindowHooks: the sequencer twice while an operation runs, as the main window does.
  void task() override {
    ++tasks;
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

  // IdentityHooks.
  bool RigOpFunc_CheckSubNameLegal(const std::string& nameS) override {
    return nameS.substr(0, 2) <= std::string("0100").substr(0, 2);
  }
  void RigK70ROp_Digital_Option(bool st) override { digitalOption.push_back(st); }

  // Advances the clock and runs one tick.
  void Tick(int32_t ms = 50) {
    clock.advance(ms);
    com.timSolid_Timer();
  }
  // The radio's line: echo of what the PC wrote last, then the answer, in one chunk.
  void EchoAndAnswer(const Bytes& answer) { port.receive(frames::Cat(port.lastWritten(), answer)); }

  FakeTickSource clock;
  FakeSerialPort port;
  clsCmcRadio radio;
  frmCom com{port, clock};
  clsCmcCln3Sequence seq{com, radio, clock};
  int tasks = 0;
  std::vector<std::string> messages;
  std::vector<bool> digitalOption;
};
