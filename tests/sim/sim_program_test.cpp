#include <gtest/gtest.h>

#include <QCoreApplication>

#include "sim/SimImage.h"
#include "sim/SimPhysics.h"
#include "support/SimProgramRig.h"

using namespace qxt;
using namespace qxt::test;

namespace {

std::vector<std::pair<int, int>> Since(const std::vector<std::pair<int, int>>& all, size_t from) {
  return {all.begin() + static_cast<std::ptrdiff_t>(std::min(from, all.size())), all.end()};
}

class SimProgram : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(sim.path().empty()); }
  TempDir logDir;
  std::string log = logDir.file("sim.log");
  SimProcess sim{{"--log", log}};
};

}  // namespace

TEST_F(SimProgram, ConnectAdjustAndCalibrate) {
  SimProgramRig rig(sim);
  const Bytes image = sim::DefaultImage({});
  ASSERT_TRUE(rig.Connect());
  ASSERT_TRUE(rig.Settle());
  EXPECT_TRUE(rig.messages.shown.empty());
  console::clsConsole& c = rig.program.console();
  for (int16_t i = 0; i < c.ListCount(); ++i) {
    if (c.EeAdr(i) >= 0) {
      EXPECT_EQ(c.Value(i), image[static_cast<size_t>(c.EeAdr(i))]) << c.Title(i);
    }
  }
  EXPECT_EQ(c.Value(13), 120);
  EXPECT_EQ(c.Value(14), 100);
  EXPECT_EQ(c.Max(0), 12);
  // Every item once, in item order, after the readouts and the fixed command.
  auto sent = LoggedLiveCommands(log);
  const std::vector<int> order = {0x03, 0x03, 0x03, 0x03, 0x03, 0x02, 0x00, 0x0B, 0x11, 0x12, 0x11, 0x10, 0x11,
                                  0x1B, 0x11, 0x0D, 0x1A, 0x0F, 0x08, 0x05, 0x13, 0x14, 0x06, 0x07, 0x30};
  ASSERT_EQ(sent.size(), order.size() + 14);
  for (size_t k = 0; k < order.size(); ++k) EXPECT_EQ(sent[k].first, order[k]) << k;
  EXPECT_EQ(sent[5].second, 1);

  // A step on the power reaches the radio.
  size_t mark = sent.size();
  rig.program.main().ConsoleKeyDown(model::MainWindowLogic::kKeyRight, model::MainWindowLogic::kShiftMask, 1);
  ASSERT_TRUE(rig.Settle());
  EXPECT_EQ(Since(LoggedLiveCommands(log), mark), (std::vector<std::pair<int, int>>{{0x0B, image[0xA6] + 5}}));

  // The level bisection finds the stored target.
  c.EnterPushed(11);
  ASSERT_TRUE(rig.Settle());
  EXPECT_EQ(c.Value(11), 125);
  EXPECT_EQ(rig.view.beeps, 1);

  // The RSSI calibration with the generator at S3, then S1.
  c.EnterPushed(15);
  RunTicksFor(rig.program.com(), 300);
  ASSERT_TRUE(model::IsRssi(rig.program.op().actState()));
  c.EnterPushed(15);
  ASSERT_TRUE(rig.TicksUntil([&] { return rig.program.op().actions().flgRssiPhase(); }));
  const int s3 = rig.program.radio().eepImage().ReadByte(0xAA);
  EXPECT_EQ(sim.Command("signal s1").substr(0, 2), "ok");
  ASSERT_TRUE(rig.TicksUntil([&] { return rig.program.op().readouts().lastAdA(3) < s3; }));
  c.EnterPushed(15);
  ASSERT_TRUE(rig.Settle());
  EXPECT_EQ(rig.view.beeps, 2);
  EXPECT_LT(rig.program.radio().eepImage().ReadByte(0xA9), s3);
  EXPECT_NE(sim.Command("status").find("faults none"), std::string::npos);
  EXPECT_TRUE(rig.messages.shown.empty());
}

TEST_F(SimProgram, BandPassSweepOfBothFilters) {
  EXPECT_EQ(sim.Command("centre t1 75").substr(0, 2), "ok");
  SimProgramRig rig(sim);
  ASSERT_TRUE(rig.Connect());
  ASSERT_TRUE(rig.Settle());
  rig.program.console().EnterPushed(8);
  ASSERT_TRUE(rig.Settle());
  EXPECT_EQ(rig.program.console().Value(9), 75);
  EXPECT_EQ(rig.program.console().Value(10), 104);
  EXPECT_NE(sim.Command("status").find("BPF T1 75 T2 104"), std::string::npos);
}

TEST_F(SimProgram, RestoreThroughThePseudoTerminal) {
  SimProgramRig rig(sim);
  ASSERT_TRUE(rig.Connect());
  ASSERT_TRUE(rig.Settle());
  Bytes image = rig.program.radio().eepImage().bytes();
  image[0xA6] = static_cast<uint8_t>(image[0xA6] ^ 1);
  ASSERT_EQ(rig.program.op().StartRestore(image), std::nullopt);
  ASSERT_TRUE(rig.TicksUntil([&] { return !rig.view.reports.empty(); }, 60000));
  EXPECT_TRUE(rig.view.reports[0].second) << rig.view.reports[0].first;
  EXPECT_TRUE(rig.messages.shown.empty());
}

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
