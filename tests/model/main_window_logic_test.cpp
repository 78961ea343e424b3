#include <gtest/gtest.h>

#include "support/ProgramRig.h"

using namespace qxt;
using namespace qxt::test;

TEST(MainWindowLogic, ReleaseDelayIsLimitedBeforeItBecomesMilliseconds) {
  ProgramRig rig;
  rig.program.main().ComAutoRelease(3);
  EXPECT_EQ(rig.program.seq().comHoldReload(), 3000);
  rig.program.main().ComAutoRelease(0);
  EXPECT_EQ(rig.program.seq().comHoldReload(), 0);
  rig.program.main().ComAutoRelease(40);
  EXPECT_EQ(rig.program.seq().comHoldReload(), 32000);
  EXPECT_EQ(rig.program.main().ComAutoRelease(), 40);  // kept as given, and saved so
  rig.program.main().ComAutoRelease(-5);
  EXPECT_EQ(rig.program.seq().comHoldReload(), 0);
}

TEST(MainWindowLogic, OptionsLoadAndSave) {
  ProgramRig rig;
  settings::clsCmcProfileIO& prof = rig.program.profMain();
  EXPECT_EQ(prof.Name(), "PJ5102K.rs");
  TempDir::Write(prof.GetMyProfile(), "[OPTION]\nComPort=2\nComAutoRelease=4\n");
  rig.program.Start();
  EXPECT_EQ(rig.program.main().ComPortNo(), 2);
  EXPECT_EQ(rig.program.seq().ComPortNo(), 2);
  EXPECT_EQ(rig.program.seq().comHoldReload(), 4000);
  rig.program.main().ComPortNo(4);
  rig.program.main().ComAutoRelease(1);
  rig.program.CloseDown();
  EXPECT_FALSE(rig.program.com().comOpen());
  EXPECT_EQ(TempDir::Read(prof.GetMyProfile()), "[OPTION]\nComPort=4\nComAutoRelease=1\n");
}

TEST(MainWindowLogic, KeypadSeparatorAndNoSelection) {
  ProgramRig rig;
  model::MainWindowLogic& m = rig.program.main();
  EXPECT_FALSE(m.ConsoleKeyDown(model::MainWindowLogic::kKeySeparator, 0, 15));
  EXPECT_TRUE(rig.program.console().flgEnterOn(15));
  EXPECT_FALSE(m.ConsoleKeyDown(model::MainWindowLogic::kKeyRight, 0, -1));  // nothing selected: nothing
  EXPECT_FALSE(m.ConsoleKeyDown(model::MainWindowLogic::kKeyEnter, 0, -1));
  EXPECT_EQ(rig.program.console().Value(0), 0);
}

// Failures that stop nothing are said in the status bar (and so on standard error), and the
// status line is current before a message box stays up.
TEST(MainWindowLogic, NoFailureGoesUnsaid) {
  auto said = [](const ProgramRig& rig, const std::string& part) {
    for (const auto& n : rig.view.notices) {
      if (n.find(part) != std::string::npos) return true;
    }
    return false;
  };
  {
    ProgramRig rig;
    TempDir::Write(rig.program.profMain().GetMyProfile(), "[TRACE]\nFile=/proc/no-such/trace.log\n");
    TempDir::Write(rig.dataDir.file("qxt7130-adj"), "");  // where the backups would go is a file
    ASSERT_TRUE(rig.Connect());
    EXPECT_TRUE(said(rig, "The protocol trace /proc/no-such/trace.log cannot be opened")) << rig.view.notices.size();
    EXPECT_TRUE(said(rig, "No backup of the radio's memory was kept: cannot write"));
    std::string statusDuringBox;
    rig.messages.onShow = [&] { statusDuringBox = rig.window.status; };
    rig.port.radio.faults.noEcho = true;
    rig.program.main().ConsoleKeyDown(model::MainWindowLogic::kKeyRight, 0, 1);
    ASSERT_TRUE(rig.TickUntil([&] { return !rig.messages.shown.empty(); }));
    EXPECT_EQ(statusDuringBox, "COM 1: CLOSE");
  }
  ProgramRig rig;
  const std::string options = rig.program.profMain().GetMyProfile();
  TempDir::Write(options, std::string((1 << 20) + 10, '#'));
  rig.program.Start();
  EXPECT_TRUE(said(rig, "more than any options file (1 MiB): it was moved to " + options + ".too-large-"));
  rig.program.profMain().Path("/proc/no-such-folder/");
  rig.program.CloseDown();
  EXPECT_NE(rig.program.optionsProblem().find("The options could not be saved to /proc/no-such-folder/"),
            std::string::npos);
  EXPECT_TRUE(said(rig, rig.program.optionsProblem()));
}
