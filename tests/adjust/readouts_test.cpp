#include <gtest/gtest.h>

#include "adjust/Readouts.h"
#include "support/FakeListBox.h"
#include "support/FakeLiveSender.h"

using namespace qxt;
using namespace qxt::test;

namespace {

link::LiveAnswer Answer(uint8_t value) { return {0x03, value}; }

}  // namespace

TEST(Readouts, LinesOfGroupA) {
  using R = adjust::Readouts;
  EXPECT_EQ(R::Line(adjust::ReadoutGroup::kA, 0, 0), "  0:00h:VIN  :  0.00V");
  EXPECT_EQ(R::Line(adjust::ReadoutGroup::kA, 0, 128), "128:80h:VIN  :  5.02V");
  EXPECT_EQ(R::Line(adjust::ReadoutGroup::kA, 0, 255), "255:FFh:VIN  : 10.00V");
  EXPECT_EQ(R::Line(adjust::ReadoutGroup::kA, 1, 0), "  0:00h:TEMPS:*Error");
  EXPECT_EQ(R::Line(adjust::ReadoutGroup::kA, 1, 255), "255:FFh:TEMPS:*Error");
  EXPECT_EQ(R::Line(adjust::ReadoutGroup::kA, 1, 128), "128:80h:TEMPS:  9.27'C");
  EXPECT_EQ(R::Line(adjust::ReadoutGroup::kA, 1, 1), "  1:01h:TEMPS:-70.19'C");
  EXPECT_EQ(R::Line(adjust::ReadoutGroup::kA, 1, 254), "254:FEh:TEMPS:190.15'C");
  EXPECT_EQ(R::Line(adjust::ReadoutGroup::kA, 2, 255), "255:FFh:LVIN :  5.00V");
  EXPECT_EQ(R::Line(adjust::ReadoutGroup::kA, 3, 128), "128:80h:SD   :  2.51V");
  EXPECT_EQ(R::Line(adjust::ReadoutGroup::kA, 4, 77), "");
}

TEST(Readouts, LinesOfGroupB) {
  using R = adjust::Readouts;
  const char* labels[] = {
      "T1/POW :", "BPF T2 :", "TX LVA :", "RX LVA :", "REF    :", "MOD BAL:", "Dev    :", "CTCSS  :", "SQL Lev:"};
  for (int16_t i = 0; i < 9; ++i) {
    const bool percent = i == 5 || i == 8;
    EXPECT_EQ(R::Line(adjust::ReadoutGroup::kB, i, 0),
              std::string("  0:00h:") + labels[i] + (percent ? "  0.00%" : "  0.00V"));
    EXPECT_EQ(R::Line(adjust::ReadoutGroup::kB, i, 128),
              std::string("128:80h:") + labels[i] + (percent ? " 50.20%" : "  2.51V"));
    EXPECT_EQ(R::Line(adjust::ReadoutGroup::kB, i, 255),
              std::string("255:FFh:") + labels[i] + (percent ? "100.00%" : "  5.00V"));
  }
}

TEST(Readouts, RequestThenCollectAndRedrawOnlyOnChange) {
  adjust::Readouts r;
  FakeLiveSender seq;
  FakeListBox list;
  list.lines = {"[A/D]", "----", "----", "----", "----", "----"};
  using adjust::ReadoutGroup;
  using adjust::ReadoutResult;
  EXPECT_EQ(r.Read(ReadoutGroup::kA, 1, true, seq, list), ReadoutResult::kPending);
  EXPECT_EQ(seq.sent.back(), "033033");  // command 03, channel 3 as ASCII-hex
  seq.running = true;
  seq.answer = Answer(0x80);
  EXPECT_EQ(r.Read(ReadoutGroup::kA, 1, false, seq, list), ReadoutResult::kPending);
  seq.running = false;
  EXPECT_EQ(r.Read(ReadoutGroup::kA, 1, false, seq, list), ReadoutResult::kDone);
  EXPECT_EQ(list.lines[2], "128:80h:TEMPS:  9.27'C");
  EXPECT_EQ(r.lastAdA(1), 128);
  int replaces = list.replaces;
  seq.answer = Answer(0x80);
  r.Read(ReadoutGroup::kA, 1, false, seq, list);
  EXPECT_EQ(list.replaces, replaces);  // unchanged: not redrawn
  // The answer was taken: without a new one (a broken answer comes as none) the read is invalid.
  EXPECT_EQ(r.Read(ReadoutGroup::kA, 1, false, seq, list), ReadoutResult::kInvalid);
  EXPECT_EQ(list.lines[2], "128:80h:TEMPS:  9.27'C");  // the line keeps its text
  r.Reset();
  seq.answer = Answer(0x80);
  r.Read(ReadoutGroup::kA, 1, false, seq, list);
  EXPECT_EQ(list.replaces, replaces + 1);  // after a reset the first answer redraws
  r.Read(ReadoutGroup::kB, 8, true, seq, list);
  EXPECT_EQ(seq.sent.back(), "033046");  // SQL level: channel 15 = 0F
}
