#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "adjust/TransferProgress.h"
#include "support/ProgramRig.h"

using namespace qxt;
using namespace qxt::test;
using enum qxt::adjust::Item;
using qxt::adjust::Index;

namespace {

std::vector<int> Commands(const std::vector<RadioPort::Live>& lives) {
  std::vector<int> out;
  for (const auto& l : lives) out.push_back(l.command);
  return out;
}

}  // namespace

TEST(Connect, FromConnectToTheSteadyCycle) {
  ProgramRig rig;
  const Bytes image = sim::DefaultImage({});
  rig.program.main().ClickCmd00(0);
  EXPECT_EQ(rig.program.op().work().opState(), adjust::OpState::kStart);
  rig.Tick();
  EXPECT_EQ(rig.port.written.at(0), common::HexStrToByteStr("FEFEEEEFE029270000FD"));
  ASSERT_TRUE(rig.TickUntil([&] { return rig.program.op().work().opState() >= adjust::OpState::kFirstReadouts; }));
  EXPECT_TRUE(rig.messages.shown.empty());

  // Interpretation: every item with an EEPROM address shows the radio's byte.
  console::clsConsole& c = rig.program.console();
  for (int16_t i = 0; i < c.ListCount(); ++i) {
    if (c.EeAdr(i) >= 0) {
      EXPECT_EQ(c.Value(i), image[static_cast<size_t>(c.EeAdr(i))]) << c.Title(i);
    }
  }
  EXPECT_EQ(c.Value(Index(kLvRxLva)), image[0xAE]);
  EXPECT_EQ(c.Value(Index(kLvTxLva)), image[0xAF]);
  EXPECT_EQ(c.Value(Index(kDigMode)), 1);
  EXPECT_EQ(c.Max(Index(kChNo)), 12);
  EXPECT_EQ(rig.program.op().work().channels().chList(10), 11);
  EXPECT_FALSE(rig.program.op().work().connection().flgMid());

  ASSERT_TRUE(rig.TickUntil([&] { return rig.program.op().work().isSteady(); }));
  // First readouts, the fixed command, then every item once (BAL with its three mirrors).
  const std::vector<int> expected = {0x03, 0x03, 0x03, 0x03, 0x03, 0x02, 0x00, 0x0B, 0x11, 0x12, 0x11, 0x10, 0x11,
                                     0x1B, 0x11, 0x0D, 0x1A, 0x0F, 0x08, 0x05, 0x13, 0x14, 0x06, 0x07, 0x30};
  ASSERT_GE(rig.port.lives.size(), expected.size());
  const std::vector<int> sent = Commands(rig.port.lives);
  EXPECT_EQ(std::vector<int>(sent.begin(), sent.begin() + static_cast<std::ptrdiff_t>(expected.size())), expected);
  const auto& l = rig.port.lives;
  EXPECT_EQ(l[5].value, 1);
  EXPECT_EQ(l[6].value, 1);     // CH No. sends channel number + 1
  EXPECT_EQ(l[7].value, 0x52);  // Power
  EXPECT_EQ(l[24].value, 1);    // Dig Mode
  // Each item's wait (200 ms) lies between its command and the next item's.
  for (size_t k = 7; k + 1 < expected.size(); ++k) {
    const bool mirror = expected[k + 1] == 0x12 || expected[k + 1] == 0x10 || expected[k + 1] == 0x1B;
    if (!mirror) {
      EXPECT_GE(l[k + 1].at - l[k].at, 200) << k;
    }
  }
  EXPECT_EQ(rig.view.readouts[0].lines.at(1), "191:BFh:VIN  :  7.49V");
  EXPECT_EQ(rig.view.captions[window::Control::kLblProgress], std::string(32, 'o'));
  EXPECT_TRUE(rig.view.visible[window::Control::kFra1]);
  EXPECT_FALSE(rig.view.visible[window::Control::kFra0]);
  EXPECT_EQ(rig.view.focus.back(), window::Control::kLboConsole);

  // The steady cycle: the first readout cycle reads all fourteen values, then nothing is sent.
  ASSERT_TRUE(rig.Settle());
  size_t settled = rig.port.lives.size();
  EXPECT_EQ(settled, expected.size() + 14);
  for (int i = 0; i < 100; ++i) rig.Tick();
  EXPECT_EQ(rig.port.lives.size(), settled);
  EXPECT_EQ(rig.program.radio().eepImage().ReadByte(0x71), image[0x6A]);  // the BAL mirrors follow
  EXPECT_EQ(rig.program.radio().eepImage().ReadByte(0x63), image[0x6A]);
  EXPECT_EQ(rig.program.radio().eepImage().ReadByte(0x78), image[0x6A]);
}

TEST(Connect, ProgressBarDuringTheCloneRead) {
  ProgramRig rig;
  rig.port.maxChunk = 4096;  // about 90 blocks a tick
  rig.program.main().ClickCmd00(0);
  std::vector<size_t> filled;
  while (rig.program.op().work().opState() <= adjust::OpState::kCloneRead && filled.size() < 1000) {
    rig.Tick();
    const std::string& bar = rig.view.captions[window::Control::kLblProgress];
    ASSERT_EQ(bar.size(), 32u);
    if (bar == std::string(32, ' ')) continue;  // not started yet
    ASSERT_EQ(bar.find_first_not_of("o."), std::string::npos) << bar;
    filled.push_back(bar.find('.') == std::string::npos ? 32 : bar.find('.'));
  }
  EXPECT_TRUE(std::is_sorted(filled.begin(), filled.end()));
  EXPECT_GT(std::set<size_t>(filled.begin(), filled.end()).size(), 10u);
  EXPECT_EQ(filled.back(), 32u);  // the bar never passes its 32 characters
}

// The first second says too little about the pace to promise a time; after it, the rest at that pace.
TEST(Connect, TimeLeftIsPromisedOnlyAfterTheFirstSecond) {
  FakeMainView view;
  FakeTickSource clock;
  adjust::TransferProgress progress(view, clock);
  progress.Transfer(0, 4000, false);
  clock.advance(999);
  progress.Transfer(1000, 4000, false);
  EXPECT_EQ(view.transfer, (std::pair{25, -1}));
  clock.advance(1);
  progress.Transfer(1000, 4000, false);
  EXPECT_EQ(view.transfer, (std::pair{25, 3}));
}

TEST(Connect, NoChannelsGiveOneEntryAndTheImageIsKeptAsFound) {
  Bytes image = sim::DefaultImage({});
  std::fill(image.begin() + sim::kChannelBase, image.begin() + sim::kChannelBase + 40 * 32, 0);
  ProgramRig rig(image);
  ASSERT_TRUE(rig.Connect());
  EXPECT_EQ(rig.program.op().work().channels().chListCount(), 1);
  EXPECT_EQ(rig.program.console().Max(Index(kChNo)), 0);
  EXPECT_EQ(rig.Line(Index(kChNo)).substr(0, 17), "    CH No.: 01 RX");
  // The image as found was kept on disk before anything was sent.
  EXPECT_EQ(TempDir::Read(rig.program.op().work().connection().lastBackup()), std::string(image.begin(), image.end()));
}

TEST(Connect, MoreThanFortyChannelRecordsAreNotExamined) {
  Bytes image = sim::DefaultImage({});
  image[0x144] = 0;
  image[0x145] = 60;  // the directory claims 60 records
  for (int ch = 0; ch < 60; ++ch) image[static_cast<size_t>(sim::kChannelBase + ch * 32)] = 0x10;
  ProgramRig rig(image);
  ASSERT_TRUE(rig.Connect());
  EXPECT_EQ(rig.program.op().work().channels().chListCount(), 40);
}
