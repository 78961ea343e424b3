// What the plot panel shows comes from the procedures' own points: against the simulator's
// physical model, and again from the service record for a report.
#include <gtest/gtest.h>

#include "record/RecordReader.h"
#include "support/ProgramRig.h"

using namespace qxt;
using namespace qxt::test;

namespace {

constexpr int16_t kBpfT1 = 9, kRxLva = 11;

class Plot : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(rig.Connect());
    ASSERT_TRUE(rig.Settle());
  }
  void Enter(int16_t item) {
    rig.program.console().EnterPushed(item);
    ASSERT_TRUE(rig.Settle());
  }
  const model::PlotData& plot() const { return rig.program.plot(); }
  model::PlotData FromRecord(size_t procedure) {
    record::RecordReader reader(*rig.program.record().database());
    return model::PlotData::FromRecord(reader.Procedures(rig.program.record().session()).at(procedure));
  }

  ProgramRig rig;
};

}  // namespace

TEST_F(Plot, ASweepShowsTheFlatTopOfTheFilter) {
  const sim::Bench& bench = rig.port.radio.bench;
  Enter(kBpfT1);
  ASSERT_EQ(plot().kind(), model::PlotKind::kBpfSweep);
  ASSERT_EQ(plot().series().size(), 1u);
  const model::PlotSeries& s = plot().series()[0];
  EXPECT_EQ(s.name, "BPF T1");
  EXPECT_EQ(s.points.size(), 256u);
  EXPECT_EQ(s.reference, 80);
  ASSERT_TRUE(s.plateau);
  EXPECT_EQ(s.plateau->first, bench.t1Centre - bench.plateauHalfWidth);
  EXPECT_EQ(s.plateau->second, bench.t1Centre + bench.plateauHalfWidth);
  EXPECT_EQ(s.chosen, bench.t1Centre);
  int16_t top = 0;
  for (const auto& p : s.points) top = std::max(top, p.level);
  for (const auto& p : s.points) {
    const bool onTop = p.setting >= s.plateau->first && p.setting <= s.plateau->second;
    EXPECT_EQ(p.level == top, onTop) << p.setting;
  }
  EXPECT_EQ(plot().Describe(), "BPF sweep: BPF T1 (done). BPF T1: 256 points, before 80, plateau 89 to 95, set to 92.");
  EXPECT_EQ(FromRecord(0).Describe(), plot().Describe());  // the report draws what the panel drew
}

TEST_F(Plot, TheBisectionsPathAndTheRssiPoints) {
  Enter(kRxLva);
  const model::PlotSeries& s = plot().series().at(0);
  EXPECT_EQ(plot().kind(), model::PlotKind::kLvaAdjust);
  EXPECT_EQ(s.target, 120);
  EXPECT_EQ(s.chosen, 125);
  EXPECT_GE(s.points.size(), 8u);  // the two ends, then halving 255 settings
  EXPECT_EQ(s.points.back().level, 120);
  EXPECT_EQ(FromRecord(0).Describe(), plot().Describe());

  rig.program.console().EnterPushed(15);
  for (int i = 0; i < 10; ++i) rig.Tick();
  rig.program.console().EnterPushed(15);
  ASSERT_TRUE(rig.TickUntil([&] { return rig.program.op().actions().flgRssiPhase(); }));
  rig.port.radio.bench.signal = sim::Signal::kS1;
  for (int i = 0; i < 20; ++i) rig.Tick();
  rig.program.console().EnterPushed(15);
  ASSERT_TRUE(rig.Settle());
  EXPECT_EQ(plot().kind(), model::PlotKind::kRssi);
  EXPECT_EQ(plot().stored(), (std::vector<std::pair<std::string, int16_t>>{{"S3", 117}, {"S1", 53}}));
  EXPECT_EQ(FromRecord(1).Describe(), plot().Describe());
}

TEST_F(Plot, ReadoutsFillTheStripChartWhenNoProcedureIsShown) {
  EXPECT_EQ(plot().kind(), model::PlotKind::kReadouts);
  EXPECT_FALSE(plot().readouts()[3].empty());
  Enter(kBpfT1);
  auto reloadEvery5s = [&](int32_t ms) {
    for (int32_t t = 0; t < ms; t += 50) {
      if (t % 5000 == 0) rig.program.main().ClickCmd00(1);  // Reload(F5): one readout cycle
      rig.Tick();
    }
  };
  reloadEvery5s(model::PlotData::kHoldMs - 5000);
  EXPECT_EQ(plot().kind(), model::PlotKind::kBpfSweep);  // the result stays up a while
  reloadEvery5s(10000);
  EXPECT_EQ(plot().kind(), model::PlotKind::kReadouts);
  reloadEvery5s(model::PlotData::kStripMs + 20000);
  for (const auto& strip : plot().readouts()) {
    ASSERT_FALSE(strip.empty());
    EXPECT_LE(strip.back().tick - strip.front().tick, model::PlotData::kStripMs);
    EXPECT_GT(strip.back().tick - strip.front().tick, model::PlotData::kStripMs - 6000);
  }
  EXPECT_NE(plot().Describe().find("Readouts of the last minutes: VIN 191"), std::string::npos) << plot().Describe();
}
