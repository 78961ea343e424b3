#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "record/SqliteReader.h"
#include "support/ProgramRig.h"

using namespace qxt;
using namespace qxt::test;
using enum qxt::adjust::Item;
using qxt::adjust::Index;
using Key = qxt::window::MainWindowLogic::Key;

namespace {

class Adjust : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(rig.Connect());
    ASSERT_TRUE(rig.Settle());
    mark = rig.port.lives.size();
  }
  std::vector<RadioPort::Live> Sent() {
    auto out = rig.port.LivesAfter(mark);
    mark = rig.port.lives.size();
    return out;
  }
  void Enter(int16_t item) {
    rig.program.console().EnterPushed(item);
    ASSERT_TRUE(rig.Settle());
  }

  // A procedure as the service record kept it, drawn again for the report.
  window::PlotData PlotFromRecord(size_t procedure) {
    record::SqliteReader reader(*rig.program.record().database());
    return window::PlotData::FromRecord(reader.Procedures(rig.program.record().session()).at(procedure));
  }

  ProgramRig rig;
  console::clsConsole& con = rig.program.console();
  size_t mark = 0;
};

std::vector<std::pair<int, int>> Pairs(const std::vector<RadioPort::Live>& lives) {
  std::vector<std::pair<int, int>> out;
  for (const auto& l : lives) out.emplace_back(l.command, l.value);
  return out;
}

}  // namespace

TEST_F(Adjust, EveryStepReachesTheRadio) {
  for (int16_t i = 1; i < con.ListCount(); ++i) {
    if (con.E8Command(i) < 0 || i == Index(kBal)) continue;  // BAL has its own test
    SCOPED_TRACE(con.Title(i));
    const int16_t before = con.Value(i);
    rig.program.main().ConsoleKeyDown(Key::kRight, false, i);
    ASSERT_TRUE(rig.Settle());
    EXPECT_EQ(Pairs(Sent()), (std::vector<std::pair<int, int>>{{con.E8Command(i), before + 1}}));
    if (con.EeAdr(i) >= 0) {
      EXPECT_EQ(rig.program.radio().eepImage().ReadByte(con.EeAdr(i)), before + 1);
      EXPECT_EQ(rig.port.radio.image()[static_cast<size_t>(con.EeAdr(i))], before + 1);
    }
  }
  rig.program.main().ConsoleKeyDown(Key::kRight, true, Index(kChNo));
  ASSERT_TRUE(rig.Settle());
  EXPECT_EQ(Pairs(Sent()), (std::vector<std::pair<int, int>>{{0x00, 6}}));  // list entry 5 is channel 6
}

TEST_F(Adjust, BalancePullsItsMirrorsAlong) {
  const int v = con.Value(Index(kBal)) + 1;
  rig.program.main().ConsoleKeyDown(Key::kRight, false, Index(kBal));
  ASSERT_TRUE(rig.Settle());
  EXPECT_EQ(Pairs(Sent()), (std::vector<std::pair<int, int>>{
                               {0x11, v}, {0x12, v}, {0x11, v}, {0x10, v}, {0x11, v}, {0x1B, v}, {0x11, v}}));
  for (int adr : {0x6A, 0x71, 0x63, 0x78}) EXPECT_EQ(rig.program.radio().eepImage().ReadByte(adr), v);
}

TEST_F(Adjust, QuickStepsSendOneCommandWithTheLatestValue) {
  const int v = con.Value(Index(kPower));
  for (int k = 0; k < 3; ++k) rig.program.main().ConsoleKeyDown(Key::kRight, false, Index(kPower));
  EXPECT_FALSE(rig.program.main().ConsoleKeyDown(Key::kLeft, true,
                                                 Index(kPower)));  // the list never sees it
  ASSERT_TRUE(rig.Settle());
  EXPECT_EQ(Pairs(Sent()), (std::vector<std::pair<int, int>>{{0x0B, v - 2}}));
}

TEST_F(Adjust, SingleFilterSweepEndsAtThePlateauCentre) {
  Enter(Index(kBpfT1));
  EXPECT_EQ(con.Value(Index(kBpfT1)), 92);
  EXPECT_EQ(rig.port.radio.live.value[0x13], 92);
  EXPECT_EQ(rig.program.radio().eepImage().ReadByte(0x54), 92);
  EXPECT_EQ(rig.view.beeps, 1);
  std::vector<int> steps;
  for (const auto& l : Sent()) {
    if (l.command == 0x13) steps.push_back(l.value);
  }
  ASSERT_GE(steps.size(), 257u);
  EXPECT_EQ(steps.back(), 92);  // the centre, sent last
  steps.pop_back();
  EXPECT_TRUE(std::is_sorted(steps.begin(), steps.end()));  // every setting in turn, upwards
  EXPECT_EQ(std::set<int>(steps.begin(), steps.end()).size(), 256u);
  EXPECT_EQ(con.Value(Index(kBpfT2)), 96);  // the other filter untouched
  // The plot shows the simulator's flat top (89..95 at full level), and the report the same.
  const window::PlotSeries& s = rig.program.plot().series().at(0);
  int16_t top = 0;
  for (const auto& p : s.points) top = std::max(top, p.level);
  for (const auto& p : s.points) EXPECT_EQ(p.level == top, p.setting >= 89 && p.setting <= 95) << p.setting;
  EXPECT_EQ(rig.program.plot().Describe(),
            "BPF sweep: BPF T1 (done). BPF T1: 256 points, before 80, plateau 89 to 95, set to 92.");
  EXPECT_EQ(PlotFromRecord(0).Describe(), rig.program.plot().Describe());
}

TEST_F(Adjust, SweepOfBothFiltersInStepsOfTwo) {
  rig.port.radio.bench.t1Centre = 71;
  Enter(Index(kBpfAll));
  EXPECT_EQ(con.Value(Index(kBpfT1)), 71);
  EXPECT_EQ(con.Value(Index(kBpfT2)), 104);
  EXPECT_EQ(rig.port.radio.live.value[0x13], 71);
  EXPECT_EQ(rig.port.radio.live.value[0x14], 104);
  int highest = 0;
  for (const auto& l : Sent()) {
    if (l.command != 0x13 && l.command != 0x14) continue;
    if (l.value != 71 && l.value != 104) {
      EXPECT_EQ(l.value % 2, 0) << l.value;
    }
    highest = std::max(highest, l.value);
  }
  EXPECT_EQ(highest, 128);  // 126 is the last step below 127, and 128 the one after it
  EXPECT_EQ(rig.Line(Index(kBpfAll)), "   BPF ALL: [Enter] to Sweep");
}

TEST_F(Adjust, LevelBisectionFindsTheTarget) {
  Enter(Index(kRxLva));
  EXPECT_EQ(con.Value(Index(kRxLva)), 125);  // LVIN = 20 + 0.8 x 125 = 120, the stored LV(RX LVA)
  EXPECT_EQ(sim::SimPhysics::LvinRaw(rig.port.radio.live.value[0x06]), 120);
  EXPECT_FALSE(rig.program.op().work().actions().lvaFailed(0));
  EXPECT_EQ(rig.Line(Index(kRxLva)).find("Failed"), std::string::npos);
  EXPECT_EQ(rig.view.beeps, 1);
  const window::PlotSeries& s = rig.program.plot().series().at(0);
  EXPECT_EQ(s.target, 120);
  EXPECT_GE(s.points.size(), 8u);  // the two ends, then halving 255 settings
  EXPECT_EQ(s.points.back().level, 120);
  EXPECT_EQ(PlotFromRecord(0).Describe(), rig.program.plot().Describe());
}

TEST_F(Adjust, LevelBisectionOutOfReachRestoresAndMarks) {
  // Beyond what LVIN can show, and LVIN at the top end: the target must lie strictly between.
  for (int16_t target : {250, int{sim::SimPhysics::LvinRaw(255)}}) {
    con.Value(Index(kLvTxLva), target);  // LV(TX LVA)
    ASSERT_TRUE(rig.Settle());
    Enter(Index(kTxLva));
    EXPECT_EQ(con.Value(Index(kTxLva)), 90) << target;
    EXPECT_EQ(rig.port.radio.live.value[0x07], 90);
    EXPECT_TRUE(rig.program.op().work().actions().lvaFailed(1));
    EXPECT_NE(rig.Line(Index(kTxLva)).find(" [Enter] to Sweep (Auto Adjust Failed)"), std::string::npos);
  }
}

TEST_F(Adjust, RssiCalibrationStoresBothPoints) {
  con.EnterPushed(Index(kRssi));
  ASSERT_TRUE(rig.TickUntil([&] { return adjust::IsRssi(rig.program.op().work().actState()); }));
  for (int i = 0; i < 10; ++i) rig.Tick();  // it keeps reading until the technician confirms
  EXPECT_TRUE(adjust::IsRssi(rig.program.op().work().actState()));
  EXPECT_EQ(rig.Line(Index(kRssi)), "      RSSI: RSSI S3 Level ");
  con.EnterPushed(Index(kRssi));  // S3 applied at the antenna
  ASSERT_TRUE(rig.TickUntil([&] { return rig.program.op().work().actions().flgRssiPhase(); }));
  EXPECT_EQ(rig.program.radio().eepImage().ReadByte(0xAA), 117);
  EXPECT_EQ(rig.port.radio.live.value[0x16], 117);
  EXPECT_EQ(rig.Line(Index(kRssi)), "      RSSI: RSSI S1 Level ");
  rig.port.radio.bench.signal = sim::Signal::kS1;
  ASSERT_TRUE(rig.TickUntil([&] { return rig.program.op().work().readouts().lastAdA(3) == 53; }));
  con.EnterPushed(Index(kRssi));
  ASSERT_TRUE(rig.Settle());
  EXPECT_EQ(rig.program.radio().eepImage().ReadByte(0xA9), 53);
  EXPECT_EQ(rig.port.radio.live.value[0x15], 53);
  EXPECT_EQ(rig.view.beeps, 1);
  EXPECT_EQ(rig.Line(Index(kRssi)), "      RSSI: [Enter] to Start");
  EXPECT_EQ(rig.program.plot().stored(), (std::vector<std::pair<std::string, int16_t>>{{"S3", 117}, {"S1", 53}}));
  EXPECT_EQ(PlotFromRecord(0).Describe(), rig.program.plot().Describe());
}

TEST_F(Adjust, ReloadReadsAllFourteenOnce) {
  rig.program.main().FormKeyDown(Key::kF5);
  ASSERT_TRUE(rig.Settle());
  auto sent = Sent();
  ASSERT_EQ(sent.size(), 14u);
  const int channels[] = {0, 3, 5, 4, 0, 16, 17, 18, 19, 12, 13, 14, 11, 15};
  for (size_t k = 0; k < 14; ++k) {
    EXPECT_EQ(sent[k].command, 3);
    EXPECT_EQ(sent[k].value, channels[k]);
  }
  for (int i = 0; i < 50; ++i) rig.Tick();
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(rig.view.readouts[1].lines.at(9), " 90:5Ah:SQL Lev: 35.29%");  // the last line too
}
