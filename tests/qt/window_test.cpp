// The window a technician works in all day, driven by keys as a user sends them: buttons and
// Enter, the focus coming back to the console, the window on a small screen, options the
// program cannot use, the Port menu with its devices, and the text size.
#include <gtest/gtest.h>

#include <QScreen>

#include "app/OtherPortDialog.h"
#include "app/WindowGeometry.h"
#include "support/ShellRig.h"

using namespace qxt;
using namespace qxt::test;
using enum qxt::adjust::Item;
using qxt::adjust::Index;

namespace {

bool Connecting(ShellRig& s) { return !s.form.program().op().work().isIdle(); }

}  // namespace

TEST(Window, EnterAndSpacePressTheFocusedButtonAndTheConsoleGetsTheKeysBack) {
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
    ShellRig s;
    s.port.maxChunk = 1024;  // the image takes some ticks to arrive
    QApplication::setActiveWindow(&s.form);
    s.form.button(0)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), key);
    EXPECT_TRUE(Connecting(s)) << key;
    // The read shows its percentage and time left, and Connect waits until it has finished.
    ASSERT_TRUE(
        s.TickUntil([&] { return s.form.transferBar()->isVisible() && s.form.transferBar()->bar()->value() >= 50; }));
    EXPECT_FALSE(s.form.transferBar()->timeLeft()->text().isEmpty());
    EXPECT_FALSE(s.form.button(0)->isEnabled());
  }
  ShellRig s;
  ASSERT_TRUE(s.Connect());
  QApplication::setActiveWindow(&s.form);
  QTest::mouseClick(s.form.button(1), Qt::LeftButton);  // Reload(F5)
  EXPECT_EQ(QApplication::focusWidget(), s.form.consoleList());
  s.form.consoleList()->setCurrentRow(Index(kPower));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
  EXPECT_EQ(s.form.program().console().Value(Index(kPower)), 83);  // stepped, not a move to the next button

  QTest::mouseClick(s.form.button(2), Qt::LeftButton);  // Disp para
  ASSERT_TRUE(s.TickUntil([&] { return s.form.program().op().RigK70RProp_DispPara(); }));
  s.form.paramText()->setFocus();
  QTest::keyClick(s.form.paramText(), Qt::Key_Return);  // Enter anywhere goes back to the console
  ASSERT_TRUE(s.TickUntil([&] { return s.form.program().op().RigK70RProp_EditEnabled(); }));

  s.form.consoleList()->setFocus();
  s.form.consoleList()->setCurrentRow(Index(kBpfT1));
  QTest::keyClick(s.form.consoleList(), Qt::Key_Comma, Qt::KeypadModifier);  // the keypad separator
  EXPECT_TRUE(s.TickUntil([&] { return s.form.program().op().work().actions().running(); }, 100));
}

TEST(Window, TheWholeWindowStaysOnASmallScreen) {
  const QRect screen(0, 0, 800, 600);
  // A frame of 4 pixels with a 30-pixel title bar, asked for below the screen's bottom.
  const QRect fit = app::WindowGeometry::FitOuter(QRect(80, 100, 640, 540), QMargins(4, 30, 4, 4), screen);
  EXPECT_EQ(fit, QRect(80, 60, 632, 506));  // moved up, the inside smaller by the frame
  ShellRig s;
  EXPECT_TRUE(s.form.screen()->availableGeometry().contains(s.form.frameGeometry()))
      << s.form.frameGeometry().width() << "x" << s.form.frameGeometry().height();
}

TEST(Window, OptionsOutOfRangeFallBackAndAMappedPortGetsItsEntry) {
  ShellRig bad("[OPTION]\nComPort=11\nComAutoRelease=99\n");
  bad.Tick();
  EXPECT_EQ(bad.form.statusLabel()->text(), "COM 1: CLOSE");
  EXPECT_TRUE(bad.form.portAction(1)->isChecked());
  EXPECT_TRUE(bad.form.releaseAction(0)->isChecked());
  EXPECT_EQ(bad.form.program().seq().comHoldReload(), 0);

  ShellRig mapped("[OPTION]\nComPort=6\n[PORTS]\nCOM6=/dev/null\n");
  mapped.Tick();
  ASSERT_NE(mapped.form.portAction(6), nullptr);
  EXPECT_TRUE(mapped.form.portAction(6)->isChecked());
  EXPECT_TRUE(mapped.form.portAction(6)->text().startsWith("COM &6   /dev/null"));
  EXPECT_FALSE(mapped.form.portAction(6)->text().contains("not present"));
  EXPECT_TRUE(mapped.form.portAction(2)->text().endsWith("(not present)"));
}

TEST(Window, OtherPortMapsAnyDeviceToAComNumber) {
  TempDir byId;
  const std::string link = byId.file("usb-FTDI_FT232R_USB_UART_A1-if00-port0");
  ASSERT_EQ(::symlink("/dev/null", link.c_str()), 0);
  EXPECT_EQ(app::OtherPortDialog::Candidates(QString::fromStdString(byId.path())).value(0),
            QString::fromStdString(link));  // the stable names first

  ShellRig s;
  s.form.chooseOtherPort = [&] { return QString::fromStdString(link); };
  s.form.menus().otherPortAction()->trigger();
  EXPECT_EQ(s.form.program().main().comPortNo(), 5);
  EXPECT_NE(s.Options().find("COM5=" + link), std::string::npos) << s.Options();
  s.Tick();
  EXPECT_TRUE(s.form.portAction(5)->isChecked());
  s.form.menus().otherPortAction()->trigger();  // the same device again: the same number
  EXPECT_EQ(s.form.program().main().comPortNo(), 5);
}

TEST(Window, TextSizeIsChosenAndRemembered) {
  ShellRig s;
  const qreal points = s.form.consoleList()->font().pointSizeF();
  s.form.menus().largerAction()->trigger();
  s.form.menus().largerAction()->trigger();
  s.form.menus().smallerAction()->trigger();
  EXPECT_EQ(s.form.consoleList()->font().pointSizeF(), points + 1);
  EXPECT_EQ(s.form.readoutList(0)->font().pointSizeF(), 8.25 + 1);
  s.form.close();
  EXPECT_NE(s.Options().find("TextSize=1"), std::string::npos);
  ShellRig again(s.Options());
  again.form.show();
  EXPECT_EQ(again.form.consoleList()->font().pointSizeF(), points + 1);  // remembered
}
