#pragma once
// The whole program core (every single instance, wired as the shell wires them) with fake
// controls, on a settable clock, talking to the simulated radio in memory.
#include <functional>
#include <string>

#include "program/RigProgram.h"
#include "record/SqliteReader.h"
#include "support/FakeViews.h"
#include "support/RadioPort.h"
#include "support/RecordingMessageBox.h"
#include "support/RunUntil.h"
#include "support/TempDir.h"

namespace qxt::test {

struct ProgramRig {
  // recordPath: the service record's file ("": one in the rig's folder).
  explicit ProgramRig(Bytes image = sim::DefaultImage({}), const std::string& recordPath = "")
      : recordPath(recordPath.empty() ? dataDir.file("service.sqlite") : recordPath), port(clock, std::move(image)) {
    setenv("XDG_DATA_HOME", dataDir.path().c_str(), 1);
    program.profMain().setPath(dataDir.path() + "/");
    program.Start();
  }

  // One 50 ms heartbeat: the line delivers what is due, then the tick runs.
  void Tick(int32_t ms = 50) {
    clock.advance(ms);
    port.Deliver();
    program.com().timSolid_Timer();
  }
  // Ticks until the condition holds; false after maxTicks (the program hangs or fails).
  bool TickUntil(const std::function<bool()>& done, int maxTicks = 20000) {
    return RunUntil(
        done, [this] { Tick(); }, StepLimit(maxTicks));
  }
  bool Connect() {
    program.main().ClickCmd00(0);
    return TickUntil([&] { return program.op().work().isSteady() || program.op().work().isIdle(); }) &&
           program.op().work().isSteady();
  }
  // Ticks until the steady cycle has nothing left to send or run (after at least three ticks, so
  // that what a key or button started is under way).
  bool Settle() {
    for (int i = 0; i < 3; ++i) Tick();
    return TickUntil([&] {
      return program.op().work().isSteady() && !program.seq().OpRunning() && port.Quiet() &&
             program.op().work().actState() == adjust::ActState::kNone && !AnyChanged();
    });
  }
  bool AnyChanged() const {
    for (int16_t i = 0; i < program.console().ListCount(); ++i) {
      if (program.console().flgChanged(i)) return true;
    }
    return false;
  }
  const std::string& Line(int i) const { return view.console.lines.at(static_cast<size_t>(i)); }
  // The service record of this program, and the values sent in its session ("item a->b why").
  record::SqliteReader Reader() { return record::SqliteReader(*program.record().database()); }
  std::vector<std::string> Changes() {
    std::vector<std::string> out;
    for (const auto& e : Reader().Events(program.record().session())) {
      if (e.kind != "change") continue;
      out.push_back(e.item + " " + (e.before ? std::to_string(*e.before) : "-") + "->" + std::to_string(*e.after) +
                    " " + e.reason);
    }
    return out;
  }

  TempDir dataDir;
  std::string recordPath;
  RecordingMessageBox messages;
  FakeTickSource clock;
  RadioPort port;
  FakeMainView view;
  FakeWindowView window;
  program::RigProgram program{port, clock, view, window, recordPath};
};

}  // namespace qxt::test
