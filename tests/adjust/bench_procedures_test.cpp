// The BPF sweep and the RSSI calibration setting their own signal with the simulated generator.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/BenchRig.h"

using namespace qxt;
using namespace qxt::test;

namespace {

bool Has(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class BenchProcedures : public ::testing::Test {
 protected:
  void Start(const std::string& title) {
    rig.UseBench();
    ASSERT_TRUE(rig.Connect());
    rig.Commands();
    enteredAt = rig.clock.now;
    mark = rig.port.lives.size();
    rig.program.console().EnterPushed(rig.Item(title));
    ASSERT_TRUE(rig.ProcedureOver());
  }
  BenchRig rig;
  int32_t enteredAt = 0;
  size_t mark = 0;
  const memory::clsCmcEeprom& ee = rig.program.radio().eepImage();
};

TEST_F(BenchProcedures, TheSweepSetsFrequencyAndLevelWithCableLossAndFindsBothFilters) {
  rig.bench.cableLoss = 3;
  rig.bench.settleMs = 400;
  Start("BPF ALL");
  EXPECT_EQ(rig.Commands(), (std::vector<std::string>{"*IDN?", "*CLS", ":FREQ 446006250", ":POW -90", ":OUTP ON",
                                                      "*OPC?", ":SYST:ERR?", ":OUTP OFF", "*OPC?", ":SYST:ERR?"}));
  const auto& con = rig.program.console();
  const int16_t t1 = rig.Item("BPF T1");
  EXPECT_NEAR(con.Value(t1), 92, 1);
  EXPECT_NEAR(con.Value(t1 + 1), 104, 1);
  EXPECT_FALSE(rig.program.op().work().actions().bpfFailed(0));
  // The sweep waits the settle time on the rig's clock once the generator has its settings.
  const auto lives = rig.port.LivesAfter(mark);
  const auto firstFilter = std::find_if(lives.begin(), lives.end(), [](const auto& l) { return l.command == 0x13; });
  ASSERT_NE(firstFilter, lives.end());
  EXPECT_GE(firstFilter->at - enteredAt, 400);
  rig.GenTick();  // the tick takes what the generator's thread did into the record
  const auto sent = rig.Messages("instrument");
  ASSERT_FALSE(sent.empty());
  EXPECT_TRUE(Has(sent, rig.bench.generator + " (" + sim::SimGenerator::kIdentity + "): :POW -90"));
  EXPECT_TRUE(Has(sent, rig.bench.generator + " (" + sim::SimGenerator::kIdentity + "): :OUTP OFF"));
}

TEST_F(BenchProcedures, TheCalibrationTakesBothPointsWithoutEnter) {
  rig.bench.cableLoss = 2;
  Start("RSSI");
  EXPECT_EQ(rig.Commands(), (std::vector<std::string>{"*IDN?", "*CLS", ":FREQ 446006250", ":POW -127", ":OUTP ON",
                                                      "*OPC?", ":SYST:ERR?", ":POW -139", "*OPC?", ":SYST:ERR?",
                                                      ":OUTP OFF", "*OPC?", ":SYST:ERR?"}));
  EXPECT_FALSE(rig.program.op().work().actions().rssiFailed());
  // What SD reads with the radio's filters where they are and the level that reaches it.
  auto sd = [&](double dbm) {
    sim::Bench b = rig.port.radio.bench;
    b.antennaDbm = dbm;
    return sim::SimPhysics().Read(4, b, rig.port.radio.live);
  };
  EXPECT_EQ(ee.ReadByte(0xAA), sd(-127));
  EXPECT_EQ(ee.ReadByte(0xA9), sd(-139));
  EXPECT_EQ(rig.port.radio.image()[0xA9], sd(-139));
}

// Levels the receiver cannot tell apart (its detector at the top of its range) are no
// calibration: neither point is kept.
TEST_F(BenchProcedures, PointsCloserThanTheMarginAreRefused) {
  rig.bench.rssiS3Level = -120;
  rig.bench.rssiS1Level = -124;
  const int16_t s3 = rig.port.radio.image()[0xAA], s1 = rig.port.radio.image()[0xA9];
  Start("RSSI");
  ASSERT_TRUE(rig.Until([&] { return rig.port.Quiet() && rig.program.op().work().isSteady(); }));
  EXPECT_TRUE(rig.program.op().work().actions().rssiFailed());
  EXPECT_EQ(ee.ReadByte(0xAA), s3);
  EXPECT_EQ(ee.ReadByte(0xA9), s1);
  EXPECT_EQ(rig.port.radio.image()[0xAA], s3);
  EXPECT_EQ(rig.generator.AntennaLevel(446006250, 25000), std::nullopt);
}

// A generator that fails ends the sweep: RF off, the filters at their values, its message shown.
// (How each failure of the generator is worded belongs to the generator's own tests.)
TEST_F(BenchProcedures, AGeneratorThatFailsEndsTheSweepWithItsMessage) {
  rig.UseBench();
  ASSERT_TRUE(rig.Connect());
  const auto& con = rig.program.console();
  const int16_t t1 = rig.Item("BPF T1");
  rig.generator.minLevel(-80);  // the sweep's -93 dBm is refused
  const int16_t v1 = con.Value(t1), v2 = con.Value(t1 + 1);
  rig.program.console().EnterPushed(rig.Item("BPF ALL"));
  ASSERT_TRUE(rig.ProcedureOver());
  EXPECT_TRUE(rig.program.op().work().actions().bpfFailed(0));
  EXPECT_EQ(con.Value(t1), v1);
  EXPECT_EQ(con.Value(t1 + 1), v2);
  EXPECT_TRUE(std::any_of(rig.view.notices.begin(), rig.view.notices.end(), [](const std::string& n) {
    return n.find("did not take :FREQ 446006250, :POW -93, :OUTP ON: -222,\"Data out of range\"") != std::string::npos;
  }));
  rig.program.op().work().generator().WaitIdle(10000);
  EXPECT_EQ(rig.generator.AntennaLevel(446006250, 25000), std::nullopt);
}

}  // namespace
