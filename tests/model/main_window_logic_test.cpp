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
