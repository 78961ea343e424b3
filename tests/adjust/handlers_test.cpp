#include <gtest/gtest.h>

#include "support/ProgramRig.h"

using namespace qxt;
using namespace qxt::test;
using enum qxt::adjust::Item;
using qxt::adjust::Index;

namespace {

std::string Bar(int hashes) { return " [" + std::string(hashes, '#') + std::string(20 - hashes, '-') + "]"; }

}  // namespace

TEST(Handlers, ChannelLineInWideNarrowMode) {
  ProgramRig rig;
  ASSERT_TRUE(rig.Connect());
  console::clsConsole& c = rig.program.console();
  EXPECT_EQ(rig.program.op().work().channels().chListCount(), 13);
  EXPECT_EQ(c.Max(Index(kChNo)), 12);
  EXPECT_EQ(rig.Line(Index(kChNo)), "    CH No.: 01 RX = 446.006250, Mode: Wide");
  c.Value(Index(kChNo), 1);
  EXPECT_EQ(rig.Line(Index(kChNo)), "    CH No.: 02 RX = 446.018750, Mode: Narrow");
  c.Value(Index(kChNo), 4);
  EXPECT_EQ(rig.Line(Index(kChNo)), "    CH No.: 05 RX = Inhibit   , Mode: Wide");
  c.Value(Index(kChNo), 9);
  EXPECT_EQ(rig.Line(Index(kChNo)), "    CH No.: 10 RX = 412.987500, Mode: Wide");
  c.Value(Index(kChNo), 10);  // channel 11 is empty: the list goes on with channel 12
  EXPECT_EQ(rig.Line(Index(kChNo)), "    CH No.: 12 RX = 470.000000, Mode: Wide");
}

TEST(Handlers, ChannelLineWithTheDigitalOption) {
  ProgramRig rig;
  rig.port.radio.digitalOption = 1;
  ASSERT_TRUE(rig.Connect());
  EXPECT_TRUE(rig.program.op().work().flgDigital());
  console::clsConsole& c = rig.program.console();
  const char* modes[] = {" Analog", " Analog", " Digital", " Mixed", " Analog", " Mixed"};
  for (int16_t v = 0; v < 6; ++v) {
    c.Value(Index(kChNo), v);
    EXPECT_EQ(rig.Line(Index(kChNo)).substr(rig.Line(Index(kChNo)).find(", Mode:") + 7), modes[v]) << v;
  }
}

TEST(Handlers, LevelAndPromptLines) {
  ProgramRig rig;
  ASSERT_TRUE(rig.Connect());
  console::clsConsole& c = rig.program.console();
  EXPECT_EQ(rig.Line(Index(kBpfAll)), "   BPF ALL: [Enter] to Sweep");
  EXPECT_EQ(rig.Line(Index(kBpfT1)), "    BPF T1:  80" + Bar(6) + " [Enter] to Sweep");
  EXPECT_EQ(rig.Line(Index(kRxLva)), "    RX LVA: 110" + Bar(9) + " [Enter] to Sweep");
  EXPECT_EQ(rig.Line(Index(kRssi)), "      RSSI: [Enter] to Start");
  c.Value(Index(kLvRxLva), 255);
  EXPECT_EQ(rig.Line(Index(kLvRxLva)), "LV(RX LVA): 255" + Bar(20) + " [5.00V]");
  c.Value(Index(kLvRxLva), 0);
  EXPECT_EQ(rig.Line(Index(kLvRxLva)), "LV(RX LVA):   0" + Bar(0) + " [0.00V]");
  EXPECT_EQ(rig.Line(Index(kLvTxLva)), "LV(TX LVA): 100" + Bar(8) + " [1.96V]");
}

TEST(Handlers, PromptsFollowTheActions) {
  ProgramRig rig;
  ASSERT_TRUE(rig.Connect());
  console::clsConsole& c = rig.program.console();
  c.EnterPushed(Index(kBpfAll));  // BPF ALL
  rig.TickUntil([&] { return rig.program.op().work().actState() == adjust::ActState::kBpfNextFilter; });
  EXPECT_EQ(rig.Line(Index(kBpfAll)), "   BPF ALL: Sweeping");
  EXPECT_NE(rig.Line(Index(kBpfT1)).find(" Sweeping"), std::string::npos);
  EXPECT_NE(rig.Line(Index(kBpfT2)).find(" Sweeping"), std::string::npos);
  c.EnterPushed(Index(kBpfT1));  // BPF T1 while a sweep runs: ignored
  rig.TickUntil([&] { return !c.flgEnterOn(Index(kBpfT1)); });
  EXPECT_EQ(rig.Line(Index(kBpfAll)), "   BPF ALL: Sweeping");

  rig.program.main().ClickCmd00(1);  // any button cancels
  EXPECT_EQ(rig.program.op().work().actState(), adjust::ActState::kNone);
  c.EnterPushed(Index(kBpfT1));
  rig.TickUntil([&] { return rig.program.op().work().actState() == adjust::ActState::kBpfNextFilter; });
  EXPECT_EQ(rig.Line(Index(kBpfAll)), "   BPF ALL: [Enter] to Sweep");
  EXPECT_NE(rig.Line(Index(kBpfT1)).find(" Sweeping"), std::string::npos);
  // The other filter's line keeps the text it had when the actions were cancelled: that sweep failed.
  EXPECT_EQ(rig.Line(Index(kBpfT2)).substr(rig.Line(Index(kBpfT2)).size() - 38),
            " [Enter] to Sweep (Auto Adjust Failed)");
}
