#include <gtest/gtest.h>

#include "console/clsConsole.h"
#include "support/FakeListBox.h"
#include "support/FakeLiveSender.h"

using namespace qxt;
using namespace qxt::test;

namespace {

struct RecordingEvents : console::ConsoleEvents {
  std::string ConsEv_Disp(console::clsConsole&, int16_t, int16_t evNo, int16_t val) override {
    return "event " + std::to_string(evNo) + " value " + std::to_string(val);
  }
  void ConsEv_SendE8(console::clsConsole&, int16_t i, int16_t, int16_t) override { sends.push_back(i); }
  void ConsEv_Enter(console::clsConsole&, int16_t i, int16_t, int16_t) override { enters.push_back(i); }
  void WaitE8Required(int32_t wt) override { waits.push_back(wt); }
  std::vector<int> sends, enters, waits;
};

class Console : public ::testing::Test {
 protected:
  void SetUp() override { con.Clear(); }
  int16_t Add(const std::string& title, int16_t min, int16_t max, bool bar) {
    con.AddItem();
    auto i = static_cast<int16_t>(con.ListCount() - 1);
    con.Title(i, title);
    con.Min(i, min);
    con.Max(i, max);
    con.BarExist(i, bar);
    return i;
  }
  std::string Bar(int hashes) { return " [" + std::string(hashes, '#') + std::string(20 - hashes, '-') + "]"; }

  FakeListBox list;
  RecordingEvents events;
  FakeLiveSender sender;
  memory::clsCmcEeprom ee;
  console::clsConsole con{list, events, sender, ee};
};

}  // namespace

TEST_F(Console, BarsRoundHalfToEvenAndValueFieldsKeepFourCharacters) {
  int16_t i = Add("", 0, 40, true);
  EXPECT_EQ(con.DefaultString(i), ":   0" + Bar(0));
  con.Value(i, 5);
  EXPECT_EQ(con.BarString(i), Bar(2));
  con.Value(i, 7);
  EXPECT_EQ(con.BarString(i), Bar(4));
  int16_t wide = Add("x", -2000, 20000, false);
  con.Value(wide, 10000);
  EXPECT_EQ(con.DefaultString(wide), "x:0000");
  con.Value(wide, -1000);
  EXPECT_EQ(con.DefaultString(wide), "x:1000");
  con.Value(wide, -128);
  EXPECT_EQ(con.DefaultString(wide), "x:-128");
  con.Max(wide, -2000);  // an empty range shows no "#"
  EXPECT_EQ(con.BarString(wide), Bar(0));
  int16_t full = Add("y", -32768, 32767, true);  // the product of a full range does not overflow
  con.Value(full, 32767);
  EXPECT_EQ(con.BarString(full), Bar(20));
}

TEST_F(Console, LimitsKeepTheValueInside) {
  int16_t i = Add("a", 0, 5, false);
  con.Min(i, 10);
  EXPECT_EQ(con.Max(i), 10);
  EXPECT_EQ(con.Value(i), 10);
  int16_t j = Add("b", 0, 255, false);
  con.flgChanged(j, false);
  int replaces = list.replaces;
  con.Value(j, 300);
  EXPECT_EQ(con.Value(j), 255);
  EXPECT_TRUE(con.flgChanged(j));
  EXPECT_GT(list.replaces, replaces);
  con.flgChanged(j, false);
  replaces = list.replaces;
  con.Value(j, 255);  // the same value: flagged again, not redrawn
  EXPECT_TRUE(con.flgChanged(j));
  EXPECT_EQ(list.replaces, replaces);
  con.Value(j, 100000);
  EXPECT_EQ(con.Value(j), 255);
}

TEST_F(Console, SteppingWrapsOnlyFromTheLimit) {
  int16_t i = Add("loop", 0, 3, false);
  con.LoopVal(i, true);
  con.Value(i, 3);
  con.UpDown(i, 1);
  EXPECT_EQ(con.Value(i), 0);
  con.UpDown(i, -1);
  EXPECT_EQ(con.Value(i), 3);
  con.Value(i, 1);
  con.UpDown(i, 5);
  EXPECT_EQ(con.Value(i), 3);
  con.UpDown(i, 5);
  EXPECT_EQ(con.Value(i), 0);
  con.UpDown(i, 0);
  EXPECT_EQ(con.Value(i), 0);
  int16_t j = Add("clamp", 0, 255, false);
  con.Value(j, 250);
  con.UpDown(j, 5);
  con.UpDown(j, 5);
  EXPECT_EQ(con.Value(j), 255);
  con.UpDown(-1, 1);  // no line selected: nothing happens
  con.UpDown(99, 1);
  EXPECT_EQ(con.Value(99), 0);
}

TEST_F(Console, EepromTransferAndLiveCommands) {
  int16_t s = Add("signed", -128, 127, false);
  con.EeAdr(s, 0);  // the image's first byte, an address like any other
  con.EeDataSigned(s, true);
  ee.WriteByte(0, 255);
  con.ReadFromEe(s);
  EXPECT_EQ(con.Value(s), -1);
  con.Value(s, -2);
  con.WriteToEe(s);
  EXPECT_EQ(ee.ReadByte(0), 254);

  int16_t p = Add("     Power", 0, 255, true);
  con.E8Command(p, 11);
  con.EeAdr(p, 0xA6);
  con.Value(p, 128);
  con.SendE8(p);
  EXPECT_EQ(sender.sent.back(), "0B3830");
  EXPECT_EQ(events.waits.back(), 200);
  EXPECT_EQ(ee.ReadByte(0xA6), 128);

  int16_t n = Add("noee", 0, 255, false);
  con.E8Command(n, 8);
  con.Value(n, 5);
  ee.WriteByte(0, 77);
  con.ReadFromEe(n);  // no address: nothing read
  EXPECT_EQ(con.Value(n), 5);
  con.SendE8(n);
  EXPECT_EQ(sender.sent.back(), "083035");

  int16_t h = Add("handler", 0, 255, false);
  con.E8Command(h, 3);
  con.Event_SendE8(h, 0);
  size_t before = sender.sent.size(), waits = events.waits.size();
  con.SendE8(h);
  EXPECT_EQ(sender.sent.size(), before);  // only the handler runs
  EXPECT_EQ(events.waits.size(), waits);
  EXPECT_EQ(events.sends.back(), h);
}

TEST_F(Console, EnterFlagIsOneSlot) {
  for (int k = 0; k < 6; ++k) Add("i" + std::to_string(k), 0, 255, false);
  con.EnterPushed(3);
  con.EnterPushed(5);
  EXPECT_FALSE(con.flgEnterOn(3));
  EXPECT_TRUE(con.flgEnterOn(5));
  int replaces = list.replaces;
  con.EnterExec(5);  // no Enter event: no action and no redraw
  EXPECT_TRUE(events.enters.empty());
  EXPECT_EQ(list.replaces, replaces);
  con.Event_Enter(5, 4);
  con.EnterExec(5);
  EXPECT_EQ(events.enters.back(), 5);
  EXPECT_EQ(list.replaces, replaces + 1);
}
