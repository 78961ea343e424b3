#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>

#include "support/ProgramRig.h"

using namespace qxt;
using namespace qxt::test;
using enum qxt::adjust::Item;
using qxt::adjust::Index;

TEST(Integrity, CloneReadInRandomPiecesGivesTheImageExactly) {
  for (unsigned seed = 1; seed <= 24; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937 rng(seed);
    Bytes image = sim::DefaultImage({});
    for (size_t a = 0x2000; a < image.size(); ++a) image[a] = static_cast<uint8_t>(rng());
    for (size_t a = 0x140; a < 0x2000; a += 1 + rng() % 64) image[a] = static_cast<uint8_t>(rng());
    ProgramRig rig(image);
    std::uniform_int_distribution<size_t> piece(1, seed % 3 == 0 ? 3 : 200);
    rig.port.pieceSize = [&] { return piece(rng); };
    rig.program.main().ClickCmd00(0);
    ASSERT_TRUE(rig.TickUntil([&] {
      return rig.program.op().work().opState() >= adjust::OpState::kFirstReadouts || !rig.messages.shown.empty();
    }));
    ASSERT_TRUE(rig.messages.shown.empty()) << rig.messages.shown[0].text;
    // Right after the read, before anything was sent: byte for byte the radio's image.
    ASSERT_EQ(rig.program.radio().eepImage().bytes(), image);
  }
}

TEST(Integrity, EverySentValueWasShownAndTheImageFollows) {
  ProgramRig rig;
  ASSERT_TRUE(rig.Connect());
  ASSERT_TRUE(rig.Settle());
  console::clsConsole& con = rig.program.console();
  std::map<int, int16_t> itemOfCommand;
  for (int16_t i = 0; i < con.ListCount(); ++i) {
    if (con.E8Command(i) >= 0) itemOfCommand[con.E8Command(i)] = i;
  }
  for (int mirror : {0x12, 0x10, 0x1B}) itemOfCommand[mirror] = 2;  // BAL's three copies
  std::map<int16_t, std::set<int>> shown;
  auto record = [&](int16_t i) {
    const int v = con.Value(i);
    shown[i].insert(i == 0 ? rig.program.op().work().channels().chList(static_cast<int16_t>(v)) + 1 : v);
  };
  const size_t mark = rig.port.lives.size();
  std::mt19937 rng(7);
  std::vector<int16_t> items;
  for (const auto& [cmd, item] : itemOfCommand) items.push_back(item);
  for (int round = 0; round < 400; ++round) {
    const int16_t item = items[rng() % items.size()];
    for (int k = 0, n = 1 + static_cast<int>(rng() % 3); k < n; ++k) {
      const auto key = rng() % 2 ? window::MainWindowLogic::Key::kRight : window::MainWindowLogic::Key::kLeft;
      rig.program.main().ConsoleKeyDown(key, rng() % 4 == 0, item);
      record(item);
    }
    for (int t = 0, n = static_cast<int>(rng() % 6); t < n; ++t) rig.Tick();
  }
  ASSERT_TRUE(rig.Settle());
  std::map<int16_t, int> lastSent;
  const auto sent = rig.port.LivesAfter(mark);
  EXPECT_GT(sent.size(), 150u);
  for (const auto& live : sent) {
    ASSERT_TRUE(itemOfCommand.count(live.command)) << live.command;
    const int16_t item = itemOfCommand[live.command];
    EXPECT_TRUE(shown[item].count(live.value)) << con.Title(item) << " got " << live.value;
    if (live.command == con.E8Command(item)) lastSent[item] = live.value;
  }
  for (const auto& [item, value] : lastSent) {
    if (item == 0) continue;
    EXPECT_EQ(value, con.Value(item)) << con.Title(item);  // the last command carries the value shown
    if (con.EeAdr(item) < 0) continue;
    EXPECT_EQ(rig.program.radio().eepImage().ReadByte(con.EeAdr(item)), value) << con.Title(item);
    EXPECT_EQ(rig.port.radio.image()[static_cast<size_t>(con.EeAdr(item))], value) << con.Title(item);
  }
  for (int adr : {0x71, 0x63, 0x78}) EXPECT_EQ(rig.program.radio().eepImage().ReadByte(adr), con.Value(Index(kBal)));
}
