#include <gtest/gtest.h>

#include "ProgramRig.h"

TEST(MainWindowLogic, TaskShowsChecksAndThePortStatus) {
  ProgramRig rig;
  rig.Tick();
  EXPECT_TRUE(rig.window.portChecks[1]);
  EXPECT_FALSE(rig.window.portChecks[2]);
  EXPECT_TRUE(rig.window.releaseChecks[0]);
  EXPECT_EQ(rig.window.status, "COM 1: CLOSE");
  EXPECT_FALSE(rig.window.statusOpen);
  rig.program.main.ComPortNo(3);
  rig.Tick();
  EXPECT_EQ(rig.window.status, "COM 3: CLOSE");
  rig.program.main.ComPortNo(7);  // from the options file: shown, no menu item checked
  rig.Tick();
  EXPECT_EQ(rig.window.status, "COM 7: CLOSE");
  for (int i = 1; i <= 4; ++i) EXPECT_FALSE(rig.window.portChecks[i]);
  rig.program.main.ComPortNo(1);
  rig.program.main.ClickCmd00(0);
  rig.Tick();
  EXPECT_EQ(rig.window.status, "COM 1: OPEN");
  EXPECT_TRUE(rig.window.statusOpen);
}

TEST(MainWindowLogic, ReleaseDelayIsLimitedBeforeItBecomesMilliseconds) {
  ProgramRig rig;
  rig.program.main.ComAutoRelease(3);
  EXPECT_EQ(rig.program.seq.comHoldReload(), 3000);
  rig.program.main.ComAutoRelease(0);
  EXPECT_EQ(rig.program.seq.comHoldReload(), 0);
  rig.program.main.ComAutoRelease(40);
  EXPECT_EQ(rig.program.seq.comHoldReload(), 32000);
  EXPECT_EQ(rig.program.main.ComAutoRelease(), 40);  // kept as given, and saved so
  rig.program.main.ComAutoRelease(-5);
  EXPECT_EQ(rig.program.seq.comHoldReload(), 0);
}

TEST(MainWindowLogic, OptionsLoadAndSave) {
  ProgramRig rig;
  clsCmcProfileIO& prof = rig.program.com.profMain;
  TempDir::Write(prof.GetMyProfile(), "[OPTION]\nComPort=2\nComAutoRelease=4\n");
  rig.program.Start();
  EXPECT_EQ(rig.program.main.ComPortNo(), 2);
  EXPECT_EQ(rig.program.seq.ComPortNo(), 2);
  EXPECT_EQ(rig.program.seq.comHoldReload(), 4000);
  rig.program.main.ComPortNo(4);
  rig.program.main.ComAutoRelease(1);
  rig.program.CloseDown();
  EXPECT_FALSE(rig.program.com.comOpen());
  EXPECT_EQ(TempDir::Read(prof.GetMyProfile()), "[OPTION]\nComPort=4\nComAutoRelease=1\n");
}

TEST(MainWindowLogic, KeysOnTheConsole) {
  ProgramRig rig;
  MainWindowLogic& m = rig.program.main;
  EXPECT_FALSE(m.ConsoleKeyDown(MainWindowLogic::kKeyRight, 0, 1));
  EXPECT_EQ(rig.program.console.Value(1), 1);
  EXPECT_FALSE(m.ConsoleKeyDown(MainWindowLogic::kKeyRight, MainWindowLogic::kShiftMask, 1));
  EXPECT_EQ(rig.program.console.Value(1), 6);
  EXPECT_FALSE(m.ConsoleKeyDown(MainWindowLogic::kKeyLeft, 0, 1));
  EXPECT_EQ(rig.program.console.Value(1), 5);
  EXPECT_FALSE(m.ConsoleKeyDown(MainWindowLogic::kKeySeparator, 0, 15));
  EXPECT_TRUE(rig.program.console.flgEnterOn(15));
  EXPECT_TRUE(m.ConsoleKeyDown(38, 0, 1));                            // up: the list moves its selection
  EXPECT_FALSE(m.ConsoleKeyDown(MainWindowLogic::kKeyRight, 0, -1));  // nothing selected: nothing
  EXPECT_FALSE(m.ConsoleKeyDown(MainWindowLogic::kKeyEnter, 0, -1));
}

TEST(MainWindowLogic, TitleSequence) {
  ProgramRig rig;
  std::optional<std::string> caption;
  for (char c : std::string("xxqxt7130-benc")) EXPECT_FALSE(rig.program.main.ButtonKeyPress(c).has_value());
  caption = rig.program.main.ButtonKeyPress('h');
  ASSERT_TRUE(caption.has_value());
  EXPECT_EQ(*caption, "QZ-R700 SERVICE!");
  EXPECT_EQ(caption->size(), 16u);
  caption = std::nullopt;
  for (char c : std::string("QXT7130-BENCH")) caption = rig.program.main.ButtonKeyPress(c);
  EXPECT_TRUE(caption.has_value());  // upper case works the same way
}
