// The window in German, as a technician with LANGUAGE=de sees it (the test runs with that
// environment): the menus, a notice the core composes with a number, and a message box the core
// builds from its sentences; and the same window in English when the locale says English, with
// the record keeping English either way.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>

#include "adjust/ImageFile.h"
#include "app/QtMessageBox.h"
#include "app/Translations.h"
#include "common/Translate.h"
#include "support/ShellRig.h"

using namespace qxt;
using namespace qxt::test;

namespace {

struct Seen {
  QString fileMenu, exitItem, notice, boxText, connect;
  std::string recorded;  // what the record listener heard
};

// The window under the locale's language, with a real message box (closed as soon as it shows).
Seen Look(const QLocale& locale) {
  QLocale::setDefault(locale);
  const app::Translations translations;
  ShellRig s("[OPTION]\nComPort=11\n");
  s.Tick();
  Seen seen;
  const QList<QAction*> menus = s.form.menuBar()->actions();
  seen.fileMenu = menus.value(0)->text();
  for (QAction* a : menus.value(0)->menu()->actions()) {
    if (a->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_Q)) seen.exitItem = a->text();
  }
  seen.notice = s.form.lastNotice();
  seen.connect = s.form.button(0)->text();
  app::QtMessageBox box;
  common::MessageBox::install(&box);
  common::MessageBox::listen([&](const std::string& text) { seen.recorded = text; });
  QTimer::singleShot(0, [&] {
    if (auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      seen.boxText = shown->text();
      shown->accept();
    }
  });
  s.form.program().main().MsgBoxCloneErr(link::LinkFailure::Sequencer(link::SequencerError::kNone));
  common::MessageBox::listen(nullptr);
  common::MessageBox::install(&s.box);
  return seen;
}

}  // namespace

TEST(Translation, TheWindowSpeaksTheLocalesLanguageAndTheRecordStaysEnglish) {
  const struct {
    QLocale locale;
    QString fileMenu, exitItem, notice, boxFirstLine, boxLastLine, connect;
  } cases[] = {
      {QLocale(), "&Datei", "B&eenden",
       QString::fromUtf8("Die Optionen nennen COM 11, außerhalb von COM 1 bis COM 10: COM 1 wird verwendet."),
       QString::fromUtf8("Die Kommunikation ist fehlgeschlagen."), "- Das Funkgerät ist eingeschaltet.", "Verbinden"},
      {QLocale(QLocale::English, QLocale::UnitedStates), "&File", "E&xit",
       "The options name COM 11, outside COM 1 to COM 10: COM 1 is used.", "Communication failed.",
       "- Transceiver power is ON.", "Connect"},
  };
  for (const auto& c : cases) {
    const Seen seen = Look(c.locale);
    const QString name = c.locale.name();
    EXPECT_EQ(seen.fileMenu, c.fileMenu) << name.toStdString();
    EXPECT_EQ(seen.exitItem, c.exitItem) << name.toStdString();
    EXPECT_EQ(seen.notice, c.notice) << name.toStdString();
    EXPECT_EQ(seen.connect, c.connect) << name.toStdString();
    const QStringList lines = seen.boxText.split('\n');
    EXPECT_EQ(lines.value(0), c.boxFirstLine) << seen.boxText.toStdString();
    EXPECT_EQ(lines.value(lines.size() - 1), c.boxLastLine) << seen.boxText.toStdString();
    EXPECT_EQ(seen.recorded,
              "Communication failed.\r\n\r\nCheck the following:\r\n- Cloning cable connections.\r\n"
              "- Transceiver power is ON.");
  }
  QLocale::setDefault(QLocale::system());
}

TEST(Translation, ComposedTextsAreTranslatedByTheirTemplateAndOthersPassUnchanged) {
  QLocale::setDefault(QLocale());
  const app::Translations translations;
  ASSERT_TRUE(translations.loaded()) << QLocale().uiLanguages().join(",").toStdString();
  const std::string english = common::Compose(common::TrNoop("qxt", "Cannot access COM%1."), {" 7"});
  EXPECT_EQ(common::Shown(english + "\r\nno such sentence 7\r\n\r\nCheck the following:"),
            "Kein Zugriff auf COM 7.\r\nno such sentence 7\r\n\r\nBitte Folgendes prüfen:");
  // A filled-in word that is a marked text is translated with its sentence; a path is not.
  const std::string undo = common::Compose(common::TrNoop("qxt", "%1 needs a connected radio."), {"Undo"});
  const std::string path = common::Compose(common::TrNoop("qxt", "Restore the radio from %1."), {"Undo.bin"});
  EXPECT_EQ(common::Shown(undo), "„Rückgängig“ braucht ein verbundenes Funkgerät.");
  EXPECT_EQ(common::Shown(path), "Das Funkgerät aus Undo.bin zurückschreiben.");
  // A reason composed inside a sentence: both translated, the path kept.
  std::string why;
  ASSERT_FALSE(adjust::ImageFile::Load("/", why));
  EXPECT_EQ(common::Shown(common::Compose(common::TrNoop("qxt", "%1. Nothing was written."), {why})),
            "/: keine gewöhnliche Datei (ein Ordner); ein Abbild ist eine Datei von genau 32112 Bytes. Es wurde "
            "nichts geschrieben.");
  // The same words filled in by hand were never composed: they stay as they are.
  EXPECT_EQ(common::Shown("Cannot access COM 8."), "Cannot access COM 8.");
}

int main(int argc, char** argv) {
  // No display is needed: the test lists and runs its cases on the offscreen platform.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
