#pragma once
// The whole program core on the real clock, with the QSerialPort adapter on COM 1 pointing at a
// running simulator, and fake controls.
#include <fstream>
#include <string>
#include <vector>

#include "app/QtSerialPort.h"
#include "common/SteadyTickSource.h"
#include "model/RigProgram.h"
#include "support/EventLoop.h"
#include "support/FakeViews.h"
#include "support/RecordingMessageBox.h"
#include "support/SimProcess.h"
#include "support/TempDir.h"

namespace qxt::test {

struct SimProgramRig {
  explicit SimProgramRig(SimProcess& sim) {
    setenv("XDG_DATA_HOME", dataDir.path().c_str(), 1);
    program.profMain().Path(dataDir.path() + "/");
    program.com().portDevices().setOverride(1, sim.path());
    program.Start();
  }
  bool TicksUntil(const std::function<bool()>& done, int guardMs = 120000) {
    return RunTicksUntil(program.com(), done, guardMs);
  }
  bool Connect() {
    program.main().ClickCmd00(0);
    return TicksUntil([&] { return program.op().isSteady() || program.op().isIdle(); }) && program.op().isSteady();
  }
  bool Idle() const {
    if (!program.op().isSteady() || program.seq().OpRunning() || program.op().actState() != model::ActState::kNone)
      return false;
    for (int16_t i = 0; i < program.console().ListCount(); ++i) {
      if (program.console().flgChanged(i)) return false;
    }
    return true;
  }
  // Lets what a key or button started get under way, then waits until nothing is left to do.
  bool Settle() {
    RunTicksFor(program.com(), 200);
    return TicksUntil([&] { return Idle(); });
  }

  TempDir dataDir;
  RecordingMessageBox messages;
  app::QtSerialPort port;
  FakeMainView view;
  FakeWindowView window;
  model::RigProgram program{port, common::SteadyTickSource::instance(), view, window, dataDir.file("service.sqlite")};
};

// The live commands in a simulator log: "ms RX FEFEEEEFE8292701 00 CC VVVV FD" -> (command, value).
inline std::vector<std::pair<int, int>> LoggedLiveCommands(const std::string& logFile) {
  std::vector<std::pair<int, int>> out;
  std::ifstream in(logFile);
  std::string ms, dir, hex;
  while (in >> ms >> dir >> hex) {
    if (dir != "RX" || hex.size() != 26 || hex.compare(8, 2, "E8") != 0) continue;
    int command = std::stoi(hex.substr(18, 2), nullptr, 16);
    std::string digits{static_cast<char>(std::stoi(hex.substr(20, 2), nullptr, 16)),
                       static_cast<char>(std::stoi(hex.substr(22, 2), nullptr, 16))};
    out.emplace_back(command, std::stoi(digits, nullptr, 16));
  }
  return out;
}

}  // namespace qxt::test
