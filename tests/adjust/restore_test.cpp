// Everything can be put back: a backup written into the radio and checked byte for byte, the
// values as read at Connect, the last key changes. And a clone read is whole or it fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "adjust/ImageBackup.h"
#include "support/ProgramRig.h"

using namespace qxt;
using namespace qxt::test;

namespace {

constexpr int16_t kPower = 1, kBal = 2, kBpfT1 = 9;

// The simulator's default image with the three power levels changed.
Bytes Backup() {
  Bytes image = sim::DefaultImage({});
  image[0xA6] = 90;
  image[0xA7] = 150;
  image[0xA8] = 210;
  return image;
}

class Restore : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(rig.Connect());
    ASSERT_TRUE(rig.Settle());
  }
  bool WriteEnded() {
    return rig.TickUntil(
        [&] { return rig.program.op().work().restore().phase() != adjust::RestoreWrite::Phase::kWriting; });
  }

  ProgramRig rig;
};

}  // namespace

TEST_F(Restore, ABackupIsWrittenCheckedLoadedAndRecorded) {
  const Bytes file = Backup(), found = rig.program.op().work().imageAsRead();
  const int64_t session = rig.program.record().session();
  ASSERT_EQ(rig.program.op().work().StartRestore(file, "/backups/power.bin"), std::nullopt);
  EXPECT_TRUE(rig.program.op().work().streaming());
  rig.program.main().ClickCmd00(0);  // Connect waits until the radio holds the image
  ASSERT_TRUE(rig.TickUntil([&] { return !rig.view.reports.empty(); }));
  EXPECT_EQ(rig.view.reports[0], (std::pair<std::string, bool>{
                                     "The image was restored and verified: the radio holds every byte of it.", true}));
  EXPECT_EQ(rig.port.radio.image(), file);
  ASSERT_TRUE(rig.Settle());
  EXPECT_EQ(rig.program.console().Value(kPower), 90);  // the items show what the radio now holds
  EXPECT_EQ(rig.program.op().work().imageAsRead(), file);
  EXPECT_TRUE(rig.messages.shown.empty());
  // The check read belongs to the same session, whose image before stays the one found.
  EXPECT_EQ(rig.program.record().session(), session);
  EXPECT_EQ(*rig.Reader().ImageBefore(session), found);
  EXPECT_EQ(*rig.Reader().ImageAfter(session), rig.port.radio.image());
  std::vector<std::string> kinds;
  for (const auto& e : rig.Reader().Events(session)) {
    if (e.kind == "restore" || e.kind == "read") kinds.push_back(e.kind + " " + e.item + " " + e.reason);
  }
  EXPECT_EQ(kinds, (std::vector<std::string>{"restore /backups/power.bin started", "read  ",
                                             "restore /backups/power.bin verified"}));
}

TEST_F(Restore, WhatIsNotAnImageOrNotTheRightMomentIsRefused) {
  EXPECT_NE(rig.program.op().work().StartRestore(Bytes(100, 0)), std::nullopt);
  EXPECT_NE(rig.program.op().work().StartRestore(Bytes(32113, 0)), std::nullopt);
  rig.program.console().EnterPushed(kBpfT1);
  ASSERT_TRUE(rig.TickUntil([&] { return rig.program.op().work().actions().running(); }));
  EXPECT_EQ(rig.program.op().work().StartRestore(Backup()).value_or(""),
            "A restore needs a connected radio and no procedure running.");
  EXPECT_NE(rig.port.radio.image()[0xA6], 90);
}

// However a restore ends short, its own session says so with the bytes written, even when the
// link's failure ended that session first.
TEST_F(Restore, AWriteThatFailsOrIsCancelledSaysTheRadioIsPartlyWritten) {
  struct Case {
    const char* fault;
    std::string message;  // the first line of the link's message; empty: cancelled
    std::string outcome;
  } cases[] = {{"refuse-write", "Cannot write cloning data.", "failed, partly written"},
               {"echo-stops=500", "Cannot access COM port", "failed, partly written"},
               {"", "", "stopped, partly written"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fault);
    ProgramRig fresh;
    ASSERT_TRUE(fresh.Connect());
    ASSERT_TRUE(fresh.Settle());
    const int64_t session = fresh.program.record().session();
    if (c.fault[0] != '\0') {
      ASSERT_TRUE(fresh.port.radio.faults.Set(c.fault));
    }
    ASSERT_EQ(fresh.program.op().work().StartRestore(Backup(), "/b.bin"), std::nullopt);
    if (c.message.empty()) {
      ASSERT_TRUE(fresh.TickUntil([&] { return fresh.port.radio.image()[0xA6] == 90; }));
      fresh.program.op().work().CancelRestore();
    }
    ASSERT_TRUE(fresh.TickUntil([&] { return !fresh.view.reports.empty(); }));
    EXPECT_NE(fresh.view.reports[0].first.find("partly written"), std::string::npos) << fresh.view.reports[0].first;
    EXPECT_FALSE(fresh.view.reports[0].second);
    EXPECT_TRUE(fresh.program.op().work().isIdle());
    if (c.message.empty()) {
      EXPECT_TRUE(fresh.messages.shown.empty());
    } else {
      ASSERT_EQ(fresh.messages.shown.size(), 1u);
      EXPECT_EQ(fresh.messages.shown[0].text.substr(0, c.message.size()), c.message);
    }
    const auto last = fresh.Reader().Events(session).back();
    EXPECT_EQ(last.kind + " " + last.item + " " + last.reason, "restore /b.bin " + c.outcome);
    EXPECT_GT(last.after.value_or(0), 0);
  }
}

TEST_F(Restore, RevertAndUndoTakeBackWhatWasChangedAndTheRecordSaysWhy) {
  const int power = rig.program.console().Value(kPower), bal = rig.program.console().Value(kBal);
  const int64_t session = rig.program.record().session();
  window::MainWindowLogic& m = rig.program.main();
  m.ConsoleKeyDown(window::MainWindowLogic::Key::kRight, false, kPower);
  m.ConsoleKeyDown(window::MainWindowLogic::Key::kRight, true, kPower);
  m.ConsoleKeyDown(window::MainWindowLogic::Key::kLeft, false, kBal);
  ASSERT_TRUE(rig.Settle());
  ASSERT_TRUE(rig.program.op().work().Undo());  // BAL's step
  ASSERT_TRUE(rig.Settle());
  EXPECT_EQ(rig.port.radio.live.value[0x11], bal);
  ASSERT_TRUE(rig.program.op().work().Undo());  // the step by 5
  ASSERT_TRUE(rig.Settle());
  EXPECT_EQ(rig.port.radio.live.value[0x0B], power + 1);
  ASSERT_TRUE(rig.program.op().work().RevertToRead());
  ASSERT_TRUE(rig.Settle());
  EXPECT_EQ(rig.port.radio.live.value[0x0B], power);
  EXPECT_EQ(rig.port.radio.image()[0xA6], power);
  EXPECT_TRUE(rig.program.op().work().Undo());
  EXPECT_FALSE(rig.program.op().work().Undo());
  EXPECT_EQ(rig.view.notices.back(), "Nothing to undo.");
  // On record with why each value went out; a value sent again unchanged (BAL goes out once per
  // mirror) is no change.
  const auto changes = rig.Changes();
  auto has = [&](const std::string& c) { return std::count(changes.begin(), changes.end(), c); };
  auto step = [](int from, int to) { return std::to_string(from) + "->" + std::to_string(to); };
  EXPECT_EQ(has("BAL " + step(bal, bal - 1) + " key"), 1) << ::testing::PrintToString(changes);
  EXPECT_EQ(has("BAL mirror " + step(bal, bal - 1) + " BAL mirror"), 3);
  EXPECT_EQ(has("BAL " + step(bal - 1, bal) + " undo"), 1);
  EXPECT_EQ(has("Power " + step(power + 1, power) + " revert"), 1);
  EXPECT_EQ(has("BAL " + step(bal - 1, bal - 1) + " key"), 0);
  EXPECT_EQ(has("Power " + step(power, power) + " connect"), 1);

  rig.program.console().EnterPushed(kBpfT1);
  ASSERT_TRUE(rig.TickUntil([&] { return rig.program.op().work().actions().running(); }));
  EXPECT_FALSE(rig.program.op().work().RevertToRead());
  EXPECT_EQ(rig.view.notices.back(), "Revert is not possible while a procedure runs.");
  rig.program.CloseDown();
  const auto ended = rig.Reader().Session(session);
  EXPECT_EQ(ended->model + "/" + ended->sub + " " + ended->outcome, "2927/0100 exit");
}

TEST(CloneRead, AReadWithBlocksMissingFailsAndKeepsNoBackup) {
  for (int missing : {2007, 256, 1}) {
    SCOPED_TRACE(missing);
    ProgramRig rig;
    rig.port.radio.faults.missingBlocks = missing;  // its count still agrees modulo 256 for 256
    rig.program.main().ClickCmd00(0);
    ASSERT_TRUE(rig.TickUntil([&] { return !rig.messages.shown.empty(); }));
    EXPECT_EQ(rig.messages.shown[0].text.substr(0, 19), "Data counter error.");
    EXPECT_TRUE(rig.program.op().work().isIdle());
    EXPECT_TRUE(rig.port.LivesAfter(0).empty());  // nothing was sent into this radio
    EXPECT_FALSE(std::filesystem::exists(rig.dataDir.file("qxt7130-adj/images")));
  }
}

TEST(CloneRead, BlocksOfAnySizeUpTo255AreTaken) {
  for (int size : {1, 123, 200, 255}) {
    SCOPED_TRACE(size);
    ProgramRig rig;
    rig.port.radio.blockSize = size;
    ASSERT_TRUE(rig.Connect());
    EXPECT_EQ(rig.program.radio().eepImage().bytes(), rig.port.radio.image());
  }
}

TEST_F(Restore, EveryDifferentMemoryIsKeptOnceAsABackup) {
  auto backups = [&] {
    int n = 0;
    for (const auto& e : std::filesystem::directory_iterator(adjust::ImageBackup::Directory())) {
      n += e.path().extension() == ".bin" ? 1 : 0;
    }
    return n;
  };
  ASSERT_TRUE(rig.Connect());  // BAL's mirrors were written by the first Connect: new bytes
  ASSERT_TRUE(rig.Settle());
  const int kept = backups();
  ASSERT_TRUE(rig.Connect());
  ASSERT_TRUE(rig.Settle());
  EXPECT_EQ(backups(), kept);  // the same bytes as the newest backup
  rig.program.main().ConsoleKeyDown(window::MainWindowLogic::Key::kRight, false, kPower);
  ASSERT_TRUE(rig.Settle());
  ASSERT_TRUE(rig.Connect());
  EXPECT_EQ(backups(), kept + 1);
  EXPECT_EQ(TempDir::Read(adjust::ImageBackup::Newest("2927", "0100"))[0xA6], 83);
}

// A restore cut off by the end of the program (or by its death) is known to the next Connect to
// that radio: it warns, reads on, and marks the backup it keeps.
TEST(RestoreCutOff, TheNextConnectWarnsWhenTheLastRestoreDidNotEndVerified) {
  struct Case {
    const char* name;
    bool orderly;  // false: the program dies during the write, nothing more is recorded
    std::string says;
  } cases[] = {{"closed", true, "did not end verified (stopped, partly written, "},
               {"killed", false, "never came to its end"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir shared;
    const std::string record = shared.file("service.sqlite");
    Bytes radio;
    int32_t written = 0;
    {
      ProgramRig first(sim::DefaultImage({}), record);
      ASSERT_TRUE(first.Connect());
      ASSERT_TRUE(first.Settle());
      ASSERT_EQ(first.program.op().work().StartRestore(Backup(), "/b.bin"), std::nullopt);
      ASSERT_TRUE(first.TickUntil([&] { return first.program.op().work().restore().bytesWritten() > 4000; }));
      if (c.orderly) {
        first.program.BeginEnd();
        ASSERT_TRUE(first.TickUntil([&] { return first.program.EndSettled(); }));
        written = first.program.op().work().restore().bytesWritten();
        first.program.CloseDown();
        EXPECT_NE(first.view.notices.back().find("partly written"), std::string::npos);
        // Whole blocks only: the file up to where the write stopped, the old memory after it.
        const Bytes file = Backup();
        EXPECT_TRUE(std::equal(file.begin(), file.begin() + written, first.port.radio.image().begin()));
        EXPECT_EQ(first.port.radio.image()[static_cast<size_t>(written)],
                  first.program.op().work().imageAsRead()[written]);
        EXPECT_LT(written, 32112);
      }
      radio = first.port.radio.image();
    }
    ProgramRig next(radio, record);
    ASSERT_TRUE(next.Connect());
    ASSERT_EQ(next.messages.shown.size(), 1u);
    const auto& warning = next.messages.shown[0];
    EXPECT_EQ(warning.style, common::MessageBox::kWarning);
    EXPECT_NE(warning.text.find("The last restore of this radio ("), std::string::npos) << warning.text;
    EXPECT_NE(warning.text.find(", from /b.bin) " + c.says), std::string::npos) << warning.text;
    if (c.orderly) {
      EXPECT_NE(warning.text.find(std::to_string(written) + " bytes written"), std::string::npos);
    }
    EXPECT_NE(next.program.op().work().connection().lastBackup().find(adjust::ImageBackup::kAfterUnfinishedRestore),
              std::string::npos);
    EXPECT_EQ(next.view.notices.back(), warning.text);
  }
}

// Where neither a backup file nor the record holds the radio's memory, nothing is written.
TEST(RestoreCutOff, NoRestoreWithoutACopyOfTheRadio) {
  ProgramRig rig(sim::DefaultImage({}), "/dev/null/service.sqlite");
  setenv("XDG_DATA_HOME", "/dev/null", 1);  // no backup folder can be made
  ASSERT_TRUE(rig.Connect());
  ASSERT_TRUE(rig.Settle());
  EXPECT_EQ(rig.program.op().work().connection().lastBackup(), "");
  const auto refusal = rig.program.op().work().StartRestore(Backup(), "/b.bin");
  ASSERT_TRUE(refusal.has_value());
  EXPECT_EQ(refusal->rfind("No copy of the radio's memory as read at Connect exists", 0), 0u) << *refusal;
  EXPECT_NE(rig.port.radio.image()[0xA6], 90);
  EXPECT_FALSE(rig.program.op().work().restoring());
}
