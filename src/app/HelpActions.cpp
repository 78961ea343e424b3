#include "app/HelpActions.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>

#include "adjust/ImageBackup.h"
#include "common/Common.h"
#include "record/ServiceRecord.h"
#include "settings/OptionsLocation.h"
#include "settings/clsCmcProfileIO.h"

namespace qxt::app {

namespace {

// The sections of the README a technician reads; the others are for who builds the program.
const QStringList kUserSections{"Working with the program", "The simulated radio"};

QMessageBox* Box(QWidget* parent, const QString& title, const QString& text) {
  auto* box = new QMessageBox(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setModal(false);
  box->setTextFormat(Qt::RichText);
  box->show();
  return box;
}

}  // namespace

HelpActions::HelpActions(QWidget* window) : QObject(window), window_(window) {}

QString HelpActions::ManualFile() {
  const QString installed = QApplication::applicationDirPath() + "/../share/doc/qxt7130-adj/README.md";
  for (const QString& path : {installed, QString(QXT_SOURCE_DIR "/README.md")}) {
    if (QFileInfo(path).isFile()) return QFileInfo(path).canonicalFilePath();
  }
  return {};
}

QString HelpActions::UserSections(const QString& markdown) {
  QString kept;
  bool keep = true;
  for (const QString& line : markdown.split('\n')) {
    if (line.startsWith("## ")) keep = kUserSections.contains(line.mid(3).trimmed());
    if (keep) kept += line + '\n';
  }
  return kept;
}

QTextBrowser* HelpActions::ShowManual() {
  if (manual_ == nullptr) {
    manual_ = new QTextBrowser(window_);
    manual_->setWindowFlag(Qt::Window);
    manual_->setAttribute(Qt::WA_DeleteOnClose);
    manual_->setWindowTitle(tr("QX-T7130 ADJ manual"));
    manual_->setOpenExternalLinks(true);
    manual_->resize(760, 640);
    const QString path = ManualFile();
    QFile file(path);
    if (!path.isEmpty() && file.open(QIODevice::ReadOnly)) {
      manual_->setSearchPaths({QFileInfo(path).absolutePath()});
      manual_->setMarkdown(UserSections(QString::fromUtf8(file.readAll())));
    } else {
      manual_->setPlainText(tr("The manual is not installed: it should be %1, installed with the program.")
                                .arg(QApplication::applicationDirPath() + "/../share/doc/qxt7130-adj/README.md"));
    }
  }
  manual_->show();
  manual_->raise();
  manual_->activateWindow();
  return manual_;
}

QWidget* HelpActions::ShowShortcuts() {
  const QString rows[][2] = {
      {tr("Up, Down, Page Up/Down, Home, End"), tr("choose a console item")},
      {tr("Right / Left"), tr("step the value by 1 (the new value is sent to the radio at once)")},
      {tr("Shift+Right / Shift+Left"), tr("step by 5")},
      {tr("Enter (or the keypad's separator key)"), tr("start the item's procedure")},
      {tr("F5 (anywhere)"), tr("\"Reload(F5)\": read all fourteen A/D values once")},
      {tr("Enter or Space on a button"), tr("press it; after any button the console has the keys again")},
      {tr("Enter or Escape in the parameter display"), tr("back to the console")},
      {"Ctrl++ / Ctrl+-", tr("larger or smaller text")},
      {"Ctrl+Z", tr("undo the last step")},
      {"Ctrl+O", tr("open an image file")},
      {"F1", tr("the manual")},
      {"Ctrl+Q", tr("end the program, as its close box does")},
      {tr("Alt+letter"), tr("the menu or button whose caption has that letter underlined")},
  };
  QString table = "<table cellspacing=\"4\">";
  for (const auto& row : rows) table += QString("<tr><td><b>%1</b></td><td>%2</td></tr>").arg(row[0], row[1]);
  return Box(window_, tr("Keyboard shortcuts"), table + "</table>");
}

QString HelpActions::Locations() {
  settings::clsCmcProfileIO prof;
  prof.SetCurrentPath();
  const std::string options = settings::OptionsLocation::Choose(prof.path(), "PJ5102K.rs") + "PJ5102K.rs";
  return tr("Options: %1<br>Backups: %2<br>Service record: %3")
      .arg(QString::fromStdString(options), QString::fromStdString(adjust::ImageBackup::Directory()),
           QString::fromStdString(record::ServiceRecord::DefaultPath()));
}

QWidget* HelpActions::ShowAbout() {
  const QString text = QString("<h3>%1</h3>").arg(common::kAppTitle) +
                       tr("Version %1. Adjust Utility for QZ-R700.").arg(QXT_VERSION) + "<p>" +
                       tr("Copyright 2026 Tavo Inc. Licence: proprietary; all rights reserved. It may be "
                          "used on any number of benches of the licensee; it may not be redistributed.") +
                       "</p><p>" + Locations() + "</p>";
  return Box(window_, tr("About QX-T7130 ADJ"), text);
}

void HelpActions::ShowAboutQt() { QMessageBox::aboutQt(window_); }

}  // namespace qxt::app
