#include <gtest/gtest.h>

#include "support/ProgramRig.h"

using namespace qxt;
using namespace qxt::test;
using enum qxt::adjust::Item;
using qxt::adjust::Index;

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
    rig.program.main().ConsoleKeyDown(window::MainWindowLogic::Key::kRight, false, Index(kPower));
    ASSERT_TRUE(rig.TickUntil([&] { return !rig.messages.shown.empty(); }));
    EXPECT_EQ(statusDuringBox, "COM 1: CLOSE");
  }
  ProgramRig rig;
  const std::string options = rig.program.profMain().GetMyProfile();
  TempDir::Write(options, std::string((1 << 20) + 10, '#'));
  rig.program.Start();
  EXPECT_TRUE(said(rig, "more than any options file (1 MiB): it was moved to " + options + ".too-large-"));
  rig.program.profMain().setPath("/proc/no-such-folder/");
  rig.program.CloseDown();
  EXPECT_NE(rig.program.optionsProblem().find("The options could not be saved to /proc/no-such-folder/"),
            std::string::npos);
  EXPECT_TRUE(said(rig, rig.program.optionsProblem()));

  TempDir::Write(rig.dataDir.file("not-a-folder"), "");  // a record that cannot be opened
  ProgramRig off(sim::DefaultImage({}), rig.dataDir.file("not-a-folder") + "/service.sqlite");
  EXPECT_TRUE(said(off, "The service record is off"));
  ASSERT_TRUE(off.Connect());  // and the work goes on
  off.program.main().ConsoleKeyDown(window::MainWindowLogic::Key::kRight, false, Index(kBal));
  ASSERT_TRUE(off.Settle());
  EXPECT_EQ(off.port.radio.live.value[0x11], 125);
}
