// What a session with the radio leaves in the service record: through the whole program core
// against the simulated radio.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/Sha256.h"
#include "record/RecordReader.h"
#include "support/ProgramRig.h"

using namespace qxt;
using namespace qxt::test;

namespace {

constexpr int16_t kBal = 2, kBpfT1 = 9;

class SessionRecord : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(rig.program.record().on()) << rig.program.record().problem();
    ASSERT_TRUE(rig.Connect());
    ASSERT_TRUE(rig.Settle());
  }
  record::RecordReader Reader() { return record::RecordReader(*rig.program.record().database()); }
  // Every change of one session as "item before->after reason".
  std::vector<std::string> Changes(int64_t session) {
    std::vector<std::string> out;
    for (const auto& e : Reader().Events(session)) {
      if (e.kind != "change") continue;
      out.push_back(e.item + " " + (e.before ? std::to_string(*e.before) : "-") + "->" + std::to_string(*e.after) +
                    " " + e.reason);
    }
    return out;
  }
  static bool Has(const std::vector<std::string>& list, const std::string& one) {
    return std::find(list.begin(), list.end(), one) != list.end();
  }
  void Up(int16_t item) { rig.program.main().ConsoleKeyDown(model::MainWindowLogic::kKeyRight, 0, item); }

  ProgramRig rig;
};

}  // namespace

TEST_F(SessionRecord, ASessionHoldsTheRadioItsChangesWithTheirReasonsAndHowItEnded) {
  const int64_t id = rig.program.record().session();
  const int bal = rig.program.console().Value(kBal);
  Up(kBal);
  ASSERT_TRUE(rig.Settle());
  rig.program.op().Undo();
  ASSERT_TRUE(rig.Settle());
  Up(kBal);
  ASSERT_TRUE(rig.Settle());
  rig.program.op().RevertToRead();
  ASSERT_TRUE(rig.Settle());
  rig.program.CloseDown();

  const auto session = Reader().Session(id);
  ASSERT_TRUE(session);
  EXPECT_EQ(session->model + "/" + session->sub, "2927/0100");
  EXPECT_EQ(session->outcome, "exit");
  EXPECT_FALSE(session->backupPath.empty());
  // The record's own account of the memory agrees with the radio's, the mirrors included.
  EXPECT_EQ(*Reader().ImageAfter(id), rig.port.radio.image());
  EXPECT_EQ(Reader().ImageBefore(id)->at(0x6A), rig.port.radio.image().at(0x6A));
  const auto changes = Changes(id);
  const std::string up = std::to_string(bal) + "->" + std::to_string(bal + 1);
  const std::string down = std::to_string(bal + 1) + "->" + std::to_string(bal);
  EXPECT_TRUE(Has(changes, "BAL " + up + " key")) << ::testing::PrintToString(changes);
  EXPECT_TRUE(Has(changes, "BAL " + down + " undo")) << ::testing::PrintToString(changes);
  EXPECT_TRUE(Has(changes, "BAL " + down + " revert")) << ::testing::PrintToString(changes);
  EXPECT_TRUE(Has(changes, "BAL mirror " + std::to_string(bal) + "->" + std::to_string(bal + 1) + " BAL mirror"));
  // A value sent again unchanged (BAL goes out once per mirror) is not a change.
  EXPECT_EQ(std::count(changes.begin(), changes.end(), "BAL " + up + " key"), 2);  // once per key
  EXPECT_FALSE(Has(changes, "BAL " + std::to_string(bal + 1) + "->" + std::to_string(bal + 1) + " key"));
  EXPECT_TRUE(std::any_of(changes.begin(), changes.end(),
                          [](const std::string& c) { return c.find(" connect") != std::string::npos; }));
}

TEST_F(SessionRecord, AProcedureKeepsItsPointsAndACancelledOneItsPutBack) {
  const int64_t id = rig.program.record().session();
  rig.program.console().EnterPushed(kBpfT1);
  ASSERT_TRUE(rig.Settle());
  const size_t before = rig.port.lives.size();
  rig.program.console().EnterPushed(kBpfT1);
  ASSERT_TRUE(rig.TickUntil([&] { return rig.port.lives.size() > before + 20; }));
  rig.program.main().ClickCmd00(1);  // Reload cuts the second sweep off
  ASSERT_TRUE(rig.TickUntil([&] { return rig.program.op().isSteady(); }));

  const auto procedures = Reader().Procedures(id);
  ASSERT_GE(procedures.size(), 2u);
  EXPECT_EQ(procedures[0].kind + " " + procedures[0].outcome, "BPF sweep done");
  EXPECT_GT(procedures[0].points.size(), 100u);
  EXPECT_EQ(procedures[0].startValues, "80");
  EXPECT_NE(procedures[0].endValues, "");
  EXPECT_EQ(procedures[1].outcome, "cancelled");
  const auto changes = Changes(id);
  EXPECT_TRUE(std::any_of(changes.begin(), changes.end(), [](const std::string& c) {
    return c.find("put back") != std::string::npos;
  })) << ::testing::PrintToString(changes);
  EXPECT_TRUE(std::any_of(changes.begin(), changes.end(),
                          [](const std::string& c) { return c.find(" procedure") != std::string::npos; }));
}

TEST_F(SessionRecord, ARestoreKeepsItsFileAndTheImageBeforeStaysTheOneFound) {
  const int64_t id = rig.program.record().session();
  const Bytes found = rig.program.op().imageAsRead();
  Bytes file = found;
  file[0xA6] = 90;
  ASSERT_EQ(rig.program.op().StartRestore(file, "/backups/power.bin"), std::nullopt);
  ASSERT_TRUE(rig.TickUntil([&] { return !rig.view.reports.empty(); }));
  ASSERT_TRUE(rig.Settle());
  Up(kBal);
  ASSERT_TRUE(rig.Settle());

  EXPECT_EQ(rig.program.record().session(), id);  // the check read belongs to the same session
  EXPECT_EQ(*Reader().ImageBefore(id), found);
  EXPECT_EQ(*Reader().ImageAfter(id), rig.port.radio.image());
  std::vector<std::string> kinds;
  for (const auto& e : Reader().Events(id)) {
    if (e.kind == "restore") kinds.push_back(e.kind + " " + e.item + " " + e.reason);
    if (e.kind == "read") kinds.push_back(e.kind);
  }
  EXPECT_EQ(kinds, (std::vector<std::string>{"read", "restore /backups/power.bin verified"}));
  EXPECT_EQ(Reader().ReadIn(common::Sha256Hex(found))->id, id);
}

TEST_F(SessionRecord, ALostRadioEndsTheSessionWithTheMessageShown) {
  const int64_t id = rig.program.record().session();
  rig.port.radio.faults.noEcho = true;  // the cable is pulled
  Up(kBal);
  ASSERT_TRUE(rig.TickUntil([&] { return !rig.messages.shown.empty(); }));
  const auto session = Reader().Session(id);
  ASSERT_TRUE(session);
  EXPECT_EQ(session->outcome, "error");
  EXPECT_EQ(session->outcomeText, rig.messages.shown.back().text);
  EXPECT_EQ(session->errors, 1);
}

TEST(SessionRecordOff, WithoutARecordTheWorkGoesOn) {
  TempDir dir;
  TempDir::Write(dir.file("not-a-folder"), "");
  FakeTickSource clock;
  RadioPort port(clock, sim::DefaultImage({}));
  FakeMainView view;
  FakeWindowView window;
  RecordingMessageBox messages;
  setenv("XDG_DATA_HOME", dir.path().c_str(), 1);
  model::RigProgram program(port, clock, view, window, dir.file("not-a-folder") + "/service.sqlite");
  program.profMain().Path(dir.path() + "/");
  program.Start();
  EXPECT_FALSE(program.record().on());
  EXPECT_NE(view.notices.back().find("The service record is off"), std::string::npos);
  program.main().ClickCmd00(0);
  auto tick = [&] {
    clock.advance(50);
    port.Deliver();
    program.com().timSolid_Timer();
  };
  ASSERT_TRUE(RunUntil([&] { return program.op().isSteady(); }, tick, StepLimit(20000)));
  const int bal = program.console().Value(kBal);
  program.main().ConsoleKeyDown(model::MainWindowLogic::kKeyRight, 0, kBal);
  ASSERT_TRUE(RunUntil([&] { return port.radio.live.value[0x11] == bal + 1; }, tick, StepLimit(200)));
}
