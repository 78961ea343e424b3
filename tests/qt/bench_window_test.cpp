// The bench generator in the window: Tools > "Align all" to its end, Option > "Bench generator..."
// kept in the options, and the dialog's "Test connection".
#include <gtest/gtest.h>

#include <QApplication>
#include <QStatusBar>

#include "app/BenchDialog.h"
#include "sim/SimScpiServer.h"
#include "support/ShellRig.h"

using namespace qxt;
using namespace qxt::test;

namespace {

struct BenchShell : ShellRig {
  BenchShell() {
    server.Start(0);
    port.radio.generator = &generator;
    bench.generator = "TCPIP0::127.0.0.1::" + std::to_string(server.port()) + "::SOCKET";
    bench.timeoutMs = 500;
    form.editBench = [this](const instrument::BenchOptions&) { return bench; };
  }
  bool GenTickUntil(const std::function<bool()>& done) {
    return RunUntil(
        done,
        [this] {
          form.program().op().work().generator().WaitIdle(10000);
          Tick();
        },
        StepLimit(20000));
  }
  sim::SimGenerator generator;
  sim::SimScpiServer server{generator};
  instrument::BenchOptions bench;
};

}  // namespace

TEST(BenchWindow, AlignAllFromTheToolsMenuAfterTheBenchIsSet) {
  BenchShell s;
  s.bench.sequence = "BPF ALL, RSSI";
  s.form.menus().benchAction()->trigger();
  EXPECT_NE(s.Options().find("Generator=" + s.bench.generator), std::string::npos) << s.Options();
  EXPECT_NE(s.Options().find("Sequence=BPF ALL, RSSI"), std::string::npos) << s.Options();
  s.form.menus().alignAllAction()->trigger();
  const adjust::AlignAll& align = s.form.program().op().work().alignAll();
  ASSERT_TRUE(s.GenTickUntil([&] { return align.over(); }));
  EXPECT_TRUE(align.succeeded()) << align.Headline();
  EXPECT_EQ(s.form.statusBar()->currentMessage().toStdString(), align.Headline());
}

TEST(BenchWindow, TestConnectionShowsWhoAnswersOrWhyNot) {
  sim::SimGenerator generator;
  sim::SimScpiServer server(generator);
  ASSERT_EQ(server.Start(0), "");
  instrument::BenchOptions o;
  o.generator = "TCPIP0::127.0.0.1::" + std::to_string(server.port()) + "::SOCKET";
  o.timeoutMs = 500;
  app::BenchDialog dialog(o);
  const struct {
    const char* generator;
    const char* answer;
  } rows[] = {
      {nullptr, "*IDN? QXT-SIM,SG-1,0001,1.0"},
      {"TCPIP0::127.0.0.1:5025", "is not an instrument address"},
  };
  for (const auto& row : rows) {
    if (row.generator != nullptr) dialog.generatorField()->setText(row.generator);
    dialog.testButton()->click();
    ASSERT_TRUE(RunUntil([&] { return dialog.testButton()->isEnabled(); }, [] { QApplication::processEvents(); },
                         TimeLimit(10000)));
    EXPECT_NE(dialog.answer()->text().toStdString().find(row.answer), std::string::npos)
        << dialog.answer()->text().toStdString();
  }
  EXPECT_EQ(generator.History(), (std::vector<std::string>{"*IDN?", "*CLS", "*OPC?", ":SYST:ERR?"}));
}
