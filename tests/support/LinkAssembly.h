#pragma once
// The link as the program assembles it (port owner, driver, sequencer, radio identity) around
// a port and a clock of the test's choosing, with a main window that only runs the sequencer
// (twice while an operation runs, as the real one does) and records the clone error messages.
#include <string>
#include <vector>

#include "link/clsCmcCln3Sequence.h"
#include "link/frmCom.h"
#include "memory/clsCmcRadio.h"
#include "support/MapOptions.h"

namespace qxt::test {

template <class Port, class Clock>
struct LinkAssembly : link::MainWindowHooks, link::IdentityHooks {
  LinkAssembly() {
    radio.radioNameM("2927");
    radio.radionameS("0100");
    radio.cloneWriteAdrList_Add(0, 32111);
  }

  void task() override {
    seq.task();
    if (seq.OpRunning()) seq.task();
  }
  void MsgBoxCloneErr(const link::LinkFailure& failure) override {
    messages.push_back(failure.Text());
    seq.easyReset(1);
  }
  void saveAllData() override {}
  void notice(const std::string&) override {}
  bool RigOpFunc_CheckSubNameLegal(const std::string& nameS) override {
    return nameS.substr(0, 2) <= std::string("0100").substr(0, 2);
  }
  void RigK70ROp_Digital_Option(bool) override {}

  Clock clock;
  Port port;
  memory::clsCmcRadio radio;
  MapOptions options;
  link::frmCom com{port, clock, options, *this};
  link::clsCmcCln3Sequence seq{com, radio, clock, *this, *this};
  std::vector<std::string> messages;
};

}  // namespace qxt::test
