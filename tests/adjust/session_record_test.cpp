// The service record hears of the frames from the link: every live command on the wire of a
// session has its row, in the order the frames went out.
#include <gtest/gtest.h>

#include "adjust/ItemTable.h"
#include "support/ProgramRig.h"

using namespace qxt;
using namespace qxt::test;
using enum qxt::adjust::Item;

namespace {

// The row a live frame must have: a change of its item, the same value sent again, or a readout.
bool RowOf(const RadioPort::Live& frame, const record::EventRow& e) {
  const std::string value = std::to_string(frame.value);
  if (frame.command == 0x03) return e.kind == "readout" && e.text == "A/D channel " + value;
  const std::string& name = adjust::TargetOf(static_cast<uint8_t>(frame.command)).name;
  if (e.kind == "sent") return e.text.rfind(name + " " + value + " again (", 0) == 0;
  return e.kind == "change" && e.item == name && e.after == frame.value;
}

}  // namespace

TEST(SessionRecord, EveryLiveFrameOnTheWireHasItsRowInOrder) {
  ProgramRig rig;
  ASSERT_TRUE(rig.Connect());
  ASSERT_TRUE(rig.Settle());
  window::MainWindowLogic& m = rig.program.main();
  m.ConsoleKeyDown(window::MainWindowLogic::Key::kRight, false, Index(kPower));
  m.ConsoleKeyDown(window::MainWindowLogic::Key::kLeft, false, Index(kBal));  // BAL and its three mirrors
  ASSERT_TRUE(rig.Settle());
  ASSERT_TRUE(rig.program.op().work().Undo());
  m.ClickCmd00(1);  // the readouts of both groups
  ASSERT_TRUE(rig.Settle());
  rig.program.console().EnterPushed(Index(kRxLva));  // the level adjustment sets and reads
  ASSERT_TRUE(rig.Settle());

  std::vector<record::EventRow> rows;
  for (const auto& e : rig.Reader().Events(rig.program.record().session())) {
    if (e.kind == "change" || e.kind == "sent" || e.kind == "readout") rows.push_back(e);
  }
  const auto& frames = rig.port.lives;
  ASSERT_GT(frames.size(), 40u);  // the first live update, keys, readouts and the procedure
  ASSERT_EQ(rows.size(), frames.size());
  size_t readouts = 0, sentAgain = 0;
  for (size_t i = 0; i < frames.size(); ++i) {
    EXPECT_TRUE(RowOf(frames[i], rows[i]))
        << "frame " << i << ": command " << frames[i].command << " value " << frames[i].value << ", row "
        << rows[i].kind << " " << rows[i].item << " " << rows[i].text;
    readouts += rows[i].kind == "readout" ? 1 : 0;
    sentAgain += rows[i].kind == "sent" ? 1 : 0;
  }
  EXPECT_GE(readouts, 5u + 5u + 9u);      // at Connect, then both groups
  EXPECT_GT(sentAgain, 0u);               // BAL goes out again with each mirror
  EXPECT_EQ(rows[5].item, "command 02");  // after the first readouts, the fixed command
  EXPECT_EQ(rows[5].reason, "connect");
}
