// Every fault the bench can show, through the whole program (window, port adapter, real clock,
// the simulator over a real pseudo-terminal): the message it must show, the port closed, the
// console rebuilt, and the next "Connect" succeeding against a healthy simulator.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QTest>

#include <cctype>
#include <functional>

#include "app/ComTimer.h"
#include "app/QtSerialPort.h"
#include "app/frmMain.h"
#include "common/SteadyTickSource.h"
#include "support/EventLoop.h"
#include "support/RecordingMessageBox.h"
#include "support/SimProcess.h"
#include "support/TempDir.h"

using namespace qxt;
using namespace qxt::test;
using enum qxt::adjust::Item;
using qxt::adjust::Index;

namespace {

struct Program {
  explicit Program(const std::string& com1) {
    setenv("XDG_DATA_HOME", dir.path().c_str(), 1);
    form.program().profMain().setPath(dir.path() + "/");
    form.program().com().portDevices().setOverride(1, com1);
    form.program().Start();
    timer.start();
    form.show();
  }
  bool RunUntil(const std::function<bool()>& done, int guardMs = 60000) { return RunEventsUntil(done, guardMs); }
  void Connect() { QTest::mouseClick(form.button(0), Qt::LeftButton); }
  bool Connected() {
    Connect();
    return RunUntil([&] { return form.program().op().work().isSteady() || !box.shown.empty(); }) &&
           form.program().op().work().isSteady();
  }
  std::string FirstLine() const {
    return box.shown.empty() ? "(none)" : box.shown.front().text.substr(0, box.shown.front().text.find('\r'));
  }
  // After a failure: one message, port closed, console rebuilt and idle.
  void ExpectReset(const std::string& firstLine) {
    EXPECT_EQ(FirstLine(), firstLine);
    EXPECT_EQ(box.shown.size(), 1u);
    EXPECT_FALSE(form.program().com().comOpen());
    EXPECT_TRUE(form.program().op().work().isIdle());
    EXPECT_EQ(form.consoleList()->count(), 17);
    EXPECT_EQ(form.program().console().Value(Index(kPower)), 0);
    EXPECT_EQ(form.readoutList(0)->item(1)->text(), "----");
  }

  TempDir dir;
  RecordingMessageBox box;
  app::QtSerialPort port;
  app::frmMain form{port, common::SteadyTickSource::instance(), dir.file("service.sqlite")};
  app::ComTimer timer{form.program().com()};
};

struct Row {
  const char* fault;
  const char* firstLine;  // empty: the connection succeeds despite the fault
};

// The CTest listing names each case by its fault and the message it expects.
void PrintTo(const Row& row, std::ostream* os) {
  *os << row.fault << " -> \"" << (row.firstLine[0] == '\0' ? "(connects)" : row.firstLine) << "\"";
}

}  // namespace

class SimulatorFault : public ::testing::TestWithParam<Row> {};

TEST_P(SimulatorFault, ReportedResetAndRecovered) {
  const Row& row = GetParam();
  TempDir link;
  SimProcess sim({"--link", link.file("qzr700"), "--fault", row.fault});
  Program p(link.file("qzr700"));
  p.Connect();
  if (row.firstLine[0] == '\0') {
    EXPECT_TRUE(p.RunUntil([&] { return p.form.program().op().work().isSteady(); }));
    EXPECT_TRUE(p.box.shown.empty());
    return;
  }
  ASSERT_TRUE(p.RunUntil([&] { return !p.box.shown.empty(); }));
  p.RunUntil([] { return false; }, 200);  // nothing more is reported afterwards
  p.ExpectReset(row.firstLine);
  if (std::string(row.fault).rfind("hangup", 0) == 0) sim.WaitForPty();  // the link moved on
  EXPECT_EQ(sim.Command("fault clear").substr(0, 2), "ok");
  p.box.shown.clear();
  EXPECT_TRUE(p.Connected());
}

INSTANTIATE_TEST_SUITE_P(
    FaultMatrix, SimulatorFault,
    ::testing::Values(Row{"no-echo", "Cannot access COM port"}, Row{"no-answer-inquiry", "No answer from transceiver."},
                      Row{"slow", "No answer from transceiver."}, Row{"short-e1", "Illegal data."},
                      Row{"bad-checksum=100", "Illegal data."}, Row{"bad-count", "Data counter error."},
                      Row{"other-model", "Cannot Clone."}, Row{"sub-0200", "Version number does not match"},
                      Row{"pos43-05", "Connected transceiver is not compatible model."},
                      Row{"no-answer-ad", "No answer from transceiver."}, Row{"bad-ad", "Communication failed."},
                      Row{"hangup=50", "Cannot access COM 1."}, Row{"missing-blocks=256", "Data counter error."},
                      Row{"echo-stops=3", "Cannot access COM port"}, Row{"garbage", ""}),
    [](const ::testing::TestParamInfo<Row>& info) {
      std::string name;
      for (char c : std::string(info.param.fault)) name += std::isalnum(c) ? c : '_';
      return name;
    });

TEST(FaultMatrix, PortThatDoesNotExistOrIsInUse) {
  TempDir link;
  SimProcess sim({"--link", link.file("qzr700")});
  Program p("/dev/qxt-no-such-port");
  p.Connect();
  ASSERT_TRUE(p.RunUntil([&] { return !p.box.shown.empty(); }));
  p.ExpectReset("Cannot access COM 1.");
  EXPECT_EQ(p.box.shown.at(0).detail, "COM1 (/dev/qxt-no-such-port): no such device");

  // A stale link that now points at something other than a serial device.
  TempDir::Write(link.file("file"), "");
  ASSERT_EQ(::symlink(link.file("file").c_str(), link.file("stale").c_str()), 0);
  p.form.program().com().portDevices().setOverride(1, link.file("stale"));
  p.box.shown.clear();
  p.Connect();
  ASSERT_TRUE(p.RunUntil([&] { return !p.box.shown.empty(); }));
  EXPECT_EQ(p.box.shown.at(0).detail, "COM1 (" + link.file("file") + "): not a serial device");

  app::QtSerialPort other;  // another program holds the port
  ASSERT_TRUE(other.open(sim.path(), 9600, 32760));
  p.form.program().com().portDevices().setOverride(1, link.file("qzr700"));
  p.box.shown.clear();
  p.Connect();
  ASSERT_TRUE(p.RunUntil([&] { return !p.box.shown.empty(); }));
  p.ExpectReset("Cannot access COM 1.");
  EXPECT_NE(p.box.shown.at(0).detail.find("): in use by another program"), std::string::npos)
      << p.box.shown.at(0).detail;
  other.close();
  p.box.shown.clear();
  EXPECT_TRUE(p.Connected());
}

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
