#pragma once
// The whole program with the simulated radio in memory and the simulated generator on
// 127.0.0.1, coupled to that radio's antenna. Each tick first lets the generator's thread finish
// what it was given, so a run goes the same way on a busy machine; time is the rig's clock.
#include <string>

#include "instrument/BenchOptions.h"
#include "sim/SimScpiServer.h"
#include "support/ProgramRig.h"

namespace qxt::test {

struct BenchRig : ProgramRig {
  BenchRig() {
    server.Start(0);
    port.radio.generator = &generator;
    bench.generator = "TCPIP0::127.0.0.1::" + std::to_string(server.port()) + "::SOCKET";
    bench.timeoutMs = 500;
  }
  ~BenchRig() { program.op().work().generator().Shutdown(); }

  // The bench options take effect (as the dialog's OK does).
  void UseBench() { program.op().work().generator().Configure(bench); }
  void GenTick() {
    program.op().work().generator().WaitIdle(10000);
    Tick();
  }
  bool Until(const std::function<bool()>& done, int maxTicks = 20000) {
    return RunUntil(
        done, [this] { GenTick(); }, StepLimit(maxTicks));
  }
  bool ProcedureOver() {
    GenTick();
    GenTick();
    return Until([&] { return program.op().work().actState() == adjust::ActState::kNone; });
  }
  int16_t Item(const std::string& title) const {
    for (int16_t i = 0; i < program.console().ListCount(); ++i) {
      std::string t = program.console().Title(i);
      if (t.substr(t.find_first_not_of(' ')) == title) return i;
    }
    return -1;
  }
  // The commands the generator took since the last call.
  std::vector<std::string> Commands() {
    program.op().work().generator().WaitIdle(10000);
    const auto all = generator.History();
    std::vector<std::string> out(all.begin() + static_cast<std::ptrdiff_t>(seen), all.end());
    seen = all.size();
    return out;
  }
  // The record's messages of a kind in this session.
  std::vector<std::string> Messages(const std::string& kind) {
    std::vector<std::string> out;
    for (const auto& e : Reader().Events(program.record().session())) {
      if (e.kind == kind) out.push_back(e.text);
    }
    return out;
  }

  sim::SimGenerator generator;
  sim::SimScpiServer server{generator};
  instrument::BenchOptions bench;
  size_t seen = 0;
};

}  // namespace qxt::test
