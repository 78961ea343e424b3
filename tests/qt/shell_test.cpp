#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QMenu>
#include <QTest>

#include "app/RestoreDialog.h"
#include "app/SingleInstance.h"
#include "record/SqliteReader.h"
#include "support/ShellRig.h"

using namespace qxt;
using namespace qxt::test;
using enum qxt::adjust::Item;
using qxt::adjust::Index;

namespace {

using Shell = ShellRig;

}  // namespace

TEST(Shell, TheMenusSetTheOptionsAndClosingSavesThem) {
  {
    Shell s;
    EXPECT_EQ(s.form.windowTitle(), "QX-T7130 ADJ Rev.1.0");
    EXPECT_TRUE(QFontInfo(s.form.consoleList()->font()).fixedPitch());
    s.Tick();
    EXPECT_TRUE(s.form.portAction(1)->isChecked() && s.form.releaseAction(0)->isChecked());
    EXPECT_EQ(s.form.portAction(5), nullptr);  // no device of its own, not chosen
    s.form.program().console().Value(Index(kPower), 5);
    s.form.portAction(1)->trigger();  // the port in use: nothing is reset
    EXPECT_EQ(s.form.program().console().Value(Index(kPower)), 5);
    s.form.portAction(2)->trigger();  // another port: the link is reset and the console rebuilt
    EXPECT_EQ(s.form.program().console().Value(Index(kPower)), 0);
    s.form.releaseAction(5)->trigger();
    EXPECT_EQ(s.form.program().seq().comHoldReload(), 5000);
    s.Tick();
    EXPECT_TRUE(s.form.portAction(2)->isChecked() && !s.form.portAction(1)->isChecked());
    EXPECT_EQ(s.form.statusLabel()->text(), "COM 2: CLOSE");
    s.form.program().com().setComOpen(true);
    s.form.close();
    EXPECT_FALSE(s.form.program().com().comOpen());
    EXPECT_FALSE(s.form.program().com().timSolidEnabled());
    EXPECT_NE(s.Options().find("[OPTION]\nComPort=2\nComAutoRelease=5\n"), std::string::npos) << s.Options();
  }
  Shell s;
  s.form.releaseAction(3)->trigger();
  ASSERT_TRUE(s.Connect());
  s.Tick();
  EXPECT_EQ(s.form.statusLabel()->text(), "COM 1: OPEN");
  s.Tick(60);  // 3 s idle: the port is released
  EXPECT_EQ(s.form.statusLabel()->text(), "COM 1: CLOSE");
}

TEST(Shell, TheConsoleKeysF5AnywhereEscapeAndTheTitleSequence) {
  Shell s;
  ASSERT_TRUE(s.Connect());
  QListWidget* list = s.form.consoleList();
  list->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(list->currentRow(), 0);  // the list selects its first line when it takes the focus
  QTest::keyClick(list, Qt::Key_Down);
  const int power = s.form.program().console().Value(Index(kPower));
  QTest::keyClick(list, Qt::Key_Right, Qt::ShiftModifier);
  QTest::keyClick(list, Qt::Key_Left);
  EXPECT_EQ(s.form.program().console().Value(Index(kPower)), power + 4);
  EXPECT_EQ(list->item(1)->text().toStdString(), s.form.program().console().DefaultString(1));
  QTest::keyClick(list, Qt::Key_Up);
  EXPECT_EQ(list->currentRow(), 0);
  for (QWidget* target : {static_cast<QWidget*>(list), static_cast<QWidget*>(s.form.button(0))}) {
    target->setFocus();
    ASSERT_FALSE(s.form.program().op().work().cycle().flgReadoutReq());
    QTest::keyClick(target, Qt::Key_F5);
    EXPECT_TRUE(s.form.program().op().work().cycle().flgReadoutReq());
    EXPECT_EQ(list->currentRow(), 0);
    s.Tick(3);
  }
  QTest::mouseClick(s.form.button(2), Qt::LeftButton);  // Disp para
  ASSERT_TRUE(s.TickUntil([&] { return s.form.program().op().RigK70RProp_DispPara(); }));
  EXPECT_TRUE(s.form.paramText()->toPlainText().contains("Base Frequency:  400.000MHz"));
  EXPECT_FALSE(s.form.button(0)->isEnabled());
  QTest::keyClick(s.form.button(2), Qt::Key_Escape);  // button 2 is the cancel button now
  ASSERT_TRUE(s.TickUntil([&] { return s.form.program().op().RigK70RProp_EditEnabled(); }));
  QTest::keyClicks(s.form.button(1), "qxt7130-bench");
  EXPECT_EQ(s.form.windowTitle(), "QZ-R700 SERVICE!");
  EXPECT_TRUE(s.form.program().op().work().isSteady());  // typing changed nothing else
}

TEST(Shell, RestoreFromTheFileMenuAndUndoFromTheKeyboard) {
  Shell s;
  ASSERT_TRUE(s.Connect());
  Bytes image = s.form.program().radio().eepImage().bytes();
  image[0xA6] = 99;
  const std::string file = s.dir.file("backup.bin");
  TempDir::Write(file, std::string(image.begin(), image.end()));
  app::RestoreDialog::Comparison asked;
  s.form.files().chooseImageFile = [&] { return QString::fromStdString(file); };
  s.form.files().confirmRestore = [&](const app::RestoreDialog::Comparison& c) {
    asked = c;
    app::RestoreDialog dialog(c, &s.form);  // what the technician would see
    EXPECT_EQ(dialog.changedLines(), 1);
    EXPECT_EQ(dialog.table()->item(2, 0)->text(), "*");  // POW L1 Level, the third line
    EXPECT_EQ(dialog.table()->item(2, 3)->text(), "99");
    EXPECT_TRUE(dialog.summary()->text().contains("memory channels included"));
    return true;
  };
  s.form.menus().restoreAction()->trigger();
  EXPECT_EQ(asked.bytesDiffering, 1u);
  EXPECT_FALSE(s.form.button(0)->isEnabled());  // no Connect while the radio takes the image
  ASSERT_TRUE(s.TickUntil([&] { return s.form.program().op().work().isSteady(); }));
  EXPECT_EQ(s.port.radio.image(), image);
  EXPECT_TRUE(s.form.lastNotice().startsWith("The image was restored and verified"));

  QListWidget* list = s.form.consoleList();
  QApplication::setActiveWindow(&s.form);
  list->setFocus();
  list->setCurrentRow(Index(kPower));
  QTest::keyClick(list, Qt::Key_Right);
  EXPECT_EQ(s.form.program().console().Value(Index(kPower)), 100);
  QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(s.form.program().console().Value(Index(kPower)), 99);
}

// Closing the window during a restore asks first ("Keep writing" keeps the window), and stopping
// it, or the system closing the window, leaves whole blocks written and the record saying so.
TEST(Shell, ClosingEndsTheWorkInOrder) {
  for (bool system : {false, true}) {
    SCOPED_TRACE(system ? "closed by the system" : "closed by the technician");
    Shell s;
    ASSERT_TRUE(s.Connect());
    const Bytes before = s.port.radio.image();
    Bytes file = before;
    for (size_t a = 0; a < file.size(); ++a) file[a] = static_cast<uint8_t>(a);
    const int64_t session = s.form.program().record().session();
    ASSERT_EQ(s.form.program().op().work().StartRestore(file, "/f.bin"), std::nullopt);
    ASSERT_TRUE(s.TickUntil([&] { return s.form.program().op().work().restore().bytesWritten() > 4000; }));
    std::vector<int32_t> asked;
    bool stop = false;
    s.form.askStopRestore = [&](int32_t written) {
      asked.push_back(written);
      return stop;
    };
    if (system) {
      s.form.CloseForSystem();
    } else {
      EXPECT_FALSE(s.form.close());  // "Keep writing"
      EXPECT_TRUE(s.form.program().op().work().restoring());
      stop = true;
      EXPECT_TRUE(s.form.close());
    }
    EXPECT_EQ(asked.size(), system ? 0u : 2u);
    EXPECT_FALSE(s.form.isVisible());
    const auto events = record::SqliteReader(*s.form.program().record().database()).Events(session);
    auto last = events.rbegin();
    while (last != events.rend() && last->kind != "restore") ++last;
    ASSERT_NE(last, events.rend());
    EXPECT_EQ(last->reason, "stopped, partly written");
    const int32_t written = last->after.value_or(0);
    EXPECT_GT(written, 4000);
    EXPECT_EQ(s.port.radio.image()[static_cast<size_t>(written - 1)], file[static_cast<size_t>(written - 1)]);
    EXPECT_EQ(Bytes(s.port.radio.image().begin() + written, s.port.radio.image().end()),
              Bytes(before.begin() + written, before.end()));
  }
}

TEST(Shell, TheLayoutFollowsTheWindowAndTheStatusLineStaysReadable) {
  Shell s;
  s.form.resize(900, 700);
  QApplication::processEvents();
  const int buttonsLeft = s.form.button(0)->x();
  const int buttonsRight = s.form.button(2)->x() + s.form.button(2)->width();
  const int clientWidth = s.form.centralWidget()->width();
  EXPECT_NEAR(buttonsLeft, clientWidth - buttonsRight, 2);  // centred
  EXPECT_EQ(s.form.controls().control(window::Control::kFra1)->geometry(),
            s.form.controls().control(window::Control::kFra3)->geometry());
  EXPECT_EQ(s.form.statusLabel()->text(), "");  // blank until the next tick
  s.Tick();
  EXPECT_EQ(s.form.statusLabel()->text(), "COM 1: CLOSE");
  EXPECT_NE(s.form.statusLabel()->palette().color(QPalette::WindowText),
            s.form.palette().color(QPalette::Disabled, QPalette::WindowText));  // closed is not disabled
  EXPECT_FALSE(s.form.windowIcon().isNull());
  s.form.resize(60, 40);  // as small as it goes
  s.Tick();
  EXPECT_FALSE(s.form.statusLabel()->geometry().intersects(s.form.button(0)->geometry()));
  EXPECT_GE(s.form.consoleList()->height(), 1);
  EXPECT_GE(s.form.paramText()->height(), 1);
  EXPECT_GE(s.form.controls().control(window::Control::kFra0)->height(), 1);
}

TEST(SingleInstance, SecondCopyRefusedUntilTheFirstEnds) {
  TempDir runtime;
  setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  pid_t first = ::fork();
  if (first == 0) {
    app::SingleInstance mine("qxt-lock-test");
    char ok = mine.tryLock() ? 'y' : 'n';
    (void)!::write(ready[1], &ok, 1);
    ::pause();
    ::_exit(0);
  }
  char ok = 0;
  ASSERT_EQ(::read(ready[0], &ok, 1), 1);
  EXPECT_EQ(ok, 'y');
  {
    app::SingleInstance second("qxt-lock-test");
    EXPECT_FALSE(second.tryLock());
  }
  ::kill(first, SIGKILL);  // a copy that was killed leaves its lock behind
  ::waitpid(first, nullptr, 0);
  app::SingleInstance third("qxt-lock-test");
  EXPECT_TRUE(third.tryLock());
  EXPECT_EQ(app::SingleInstance::RefusalMessage(),
            "Cannot execute QX-T7130 ADJ Rev.1.0 repeatedly.\r\nQX-T7130 ADJ Rev.1.0 is already executing.");
}

int main(int argc, char** argv) {
  // No display is needed: the test lists and runs its cases on the offscreen platform.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
