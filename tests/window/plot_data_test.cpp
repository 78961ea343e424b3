// What the plot panel shows when no procedure is: the readouts of the last minutes. (The
// procedures' plots are checked with the procedures themselves.)
#include <gtest/gtest.h>

#include "support/ProgramRig.h"

using namespace qxt;
using namespace qxt::test;

using enum qxt::adjust::Item;
using qxt::adjust::Index;

namespace {

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
  const window::PlotData& plot() const { return rig.program.plot(); }

  ProgramRig rig;
};

}  // namespace

TEST_F(Plot, ReadoutsFillTheStripChartWhenNoProcedureIsShown) {
  EXPECT_EQ(plot().kind(), window::PlotKind::kReadouts);
  EXPECT_FALSE(plot().readouts()[3].empty());
  Enter(Index(kBpfT1));
  auto reloadEvery5s = [&](int32_t ms) {
    for (int32_t t = 0; t < ms; t += 50) {
      if (t % 5000 == 0) rig.program.main().ClickCmd00(1);  // Reload(F5): one readout cycle
      rig.Tick();
    }
  };
  reloadEvery5s(window::PlotData::kHoldMs - 5000);
  EXPECT_EQ(plot().kind(), window::PlotKind::kBpfSweep);  // the result stays up a while
  reloadEvery5s(10000);
  EXPECT_EQ(plot().kind(), window::PlotKind::kReadouts);
  reloadEvery5s(window::PlotData::kStripMs + 20000);
  for (const auto& strip : plot().readouts()) {
    ASSERT_FALSE(strip.empty());
    EXPECT_LE(strip.back().tick - strip.front().tick, window::PlotData::kStripMs);
    EXPECT_GT(strip.back().tick - strip.front().tick, window::PlotData::kStripMs - 6000);
  }
  EXPECT_NE(plot().Describe().find("Readouts of the last minutes: VIN 191"), std::string::npos) << plot().Describe();
}

// A record altered by hand may hold one end of a plateau only: its plot draws none.
TEST(PlotFromRecord, HalfAPlateauDrawsNone) {
  record::ProcedureRow p;
  p.kind = "BPF sweep";
  p.series.push_back({"BPF T1", 80, std::nullopt, 89, std::nullopt, 92, true});
  EXPECT_EQ(window::PlotData::FromRecord(p).series().at(0).plateau, std::nullopt);
}
