// The Help menu and image files in the window: every menu item reachable by its letter and
// explained in the status bar, F1 for the manual, Ctrl+Q as the close box; File > "Open image...",
// its comparisons, "Recent images", a dropped file, and a restore started from an open image.
#include <gtest/gtest.h>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QTextBrowser>
#include <QUrl>

#include "app/ImageWindow.h"
#include "sim/SimImage.h"
#include "support/ShellRig.h"

using namespace qxt;
using namespace qxt::test;

namespace {

void EveryItemHasALetterAndATip(QMenu* menu, QStringList& missing) {
  for (QAction* a : menu->actions()) {
    if (a->isSeparator()) continue;
    if (!a->text().contains('&') || a->statusTip().isEmpty()) missing << a->text();
    if (a->menu() != nullptr) EveryItemHasALetterAndATip(a->menu(), missing);
  }
}

template <typename T>
T* Newest(QWidget* in) {
  const auto all = in->findChildren<T*>();
  return all.isEmpty() ? nullptr : all.back();
}

std::string WriteImage(ShellRig& s, const std::string& name, Bytes image) {
  TempDir::Write(s.dir.file(name), std::string(image.begin(), image.end()));
  return s.dir.file(name);
}

}  // namespace

TEST(Help, MenusManualAndCtrlQ) {
  ShellRig s;
  s.form.portAction(1)->trigger();
  s.form.files().recentChanged(QStringList{"/tmp/a.bin"});
  QStringList missing;
  for (QAction* top : s.form.menuBar()->actions()) {
    if (!top->text().contains('&')) missing << top->text();
    EveryItemHasALetterAndATip(top->menu(), missing);
  }
  EXPECT_TRUE(missing.isEmpty()) << missing.join(", ").toStdString();
  EXPECT_EQ(s.form.exitAction()->text(), "E&xit");  // the captions stay as they were

  QApplication::setActiveWindow(&s.form);
  QTest::keyClick(&s.form, Qt::Key_F1);
  auto* manual = Newest<QTextBrowser>(&s.form);
  ASSERT_NE(manual, nullptr);
  EXPECT_TRUE(manual->isVisible());
  const QString text = manual->toPlainText();
  EXPECT_TRUE(text.contains("Working with the program") && text.contains("The simulated radio")) << text.size();
  EXPECT_FALSE(text.contains("Source layout"));  // what builders read is not the technician's manual

  QApplication::setActiveWindow(&s.form);
  QTest::keyClick(s.form.consoleList(), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(s.form.isVisible());
  EXPECT_NE(s.Options().find("[OPTION]\nComPort=1\n"), std::string::npos) << s.Options();  // saved as at the close box
}

TEST(ImageFiles, OpenCompareRecentDropAndRestore) {
  ShellRig s;
  Bytes image = sim::DefaultImage({});
  const std::string a = WriteImage(s, "a.bin", image);
  image[0xA6] = 153;
  const std::string b = WriteImage(s, "b.bin", image);
  std::vector<std::string> chosen{b};
  s.form.files().chooseOpenFile = [&](const QString&) {
    const std::string next = chosen.front();
    chosen.erase(chosen.begin());
    return QString::fromStdString(next);
  };
  s.form.menus().openAction()->trigger();
  app::ImageWindow* shown = Newest<app::ImageWindow>(&s.form);
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->table()->rowCount(), 67);
  EXPECT_EQ(shown->changedLines(), 0);
  chosen = {a};
  QTest::mouseClick(shown->fileButton(), Qt::LeftButton);
  EXPECT_EQ(shown->changedLines(), 1);
  const int row = shown->table()->findItems("POW L1 Level:", Qt::MatchExactly).front()->row();
  EXPECT_EQ(shown->table()->item(row, 0)->text(), "*");
  EXPECT_EQ(shown->table()->item(row, 2)->text(), "153");
  EXPECT_EQ(shown->table()->item(row, 3)->text(), "82");

  QTest::mouseClick(shown->radioButton(), Qt::LeftButton);  // not connected: said, nothing compared
  EXPECT_TRUE(s.form.lastNotice().contains("connect to the radio first"));
  ASSERT_TRUE(s.Connect());
  QTest::mouseClick(shown->radioButton(), Qt::LeftButton);
  EXPECT_EQ(shown->table()->horizontalHeaderItem(3)->text(), "Radio");
  EXPECT_EQ(shown->table()->item(row, 0)->text(), "*");
  EXPECT_EQ(shown->table()->item(row, 3)->text(), QString::number(s.form.program().radio().eepImage().bytes()[0xA6]));
  app::RestoreDialog::Comparison asked;
  s.form.files().confirmRestore = [&](const app::RestoreDialog::Comparison& c) {
    asked = c;
    return false;
  };
  QTest::mouseClick(shown->restoreButton(), Qt::LeftButton);  // the restore starts from this file
  EXPECT_EQ(asked.file.toStdString(), b);

  // Recent images: newest first, kept in the options.
  EXPECT_EQ(s.form.files().RecentImages(), QStringList{QString::fromStdString(b)});
  ASSERT_EQ(s.form.menus().recentMenu()->actions().size(), 1);
  EXPECT_EQ(s.form.menus().recentMenu()->actions()[0]->text(), "&1 " + QString::fromStdString(b));
  EXPECT_NE(s.Options().find("[RECENT]\nFile1=" + b), std::string::npos) << s.Options();

  QMimeData dropped;
  dropped.setUrls({QUrl::fromLocalFile(QString::fromStdString(a))});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&s.form, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&s.form, &drop);
  ASSERT_NE(Newest<app::ImageWindow>(&s.form), shown);
  EXPECT_EQ(Newest<app::ImageWindow>(&s.form)->path().toStdString(), a);
  EXPECT_EQ(s.form.files().RecentImages().front().toStdString(), a);
  s.form.menus().recentMenu()->actions()[1]->trigger();  // b again, from the list
  EXPECT_EQ(Newest<app::ImageWindow>(&s.form)->path().toStdString(), b);
}
