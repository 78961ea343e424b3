#pragma once
// The Help menu: the user manual (the README's sections for users, from the files installed
// with the program), the keyboard shortcuts, and the About boxes. The windows are not modal: the
// console stays usable beside them.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTextBrowser>
#include <QWidget>

namespace qxt::app {

class HelpActions : public QObject {
  Q_OBJECT

 public:
  explicit HelpActions(QWidget* window);

  // The manual window, opened or raised; its text says where the manual should be when the
  // files are missing.
  QTextBrowser* ShowManual();
  QWidget* ShowShortcuts();
  QWidget* ShowAbout();
  void ShowAboutQt();

  // The README installed with the program (share/doc/qxt7130-adj/ beside its bin/), else the one
  // of the source tree the program was built from; "" when neither is there.
  static QString ManualFile();
  // The title, the introduction and the sections for users of the README's Markdown.
  static QString UserSections(const QString& markdown);
  // The options file, the backups and the service record, one line each.
  static QString Locations();

 private:
  QWidget* window_;
  QPointer<QTextBrowser> manual_;
};

}  // namespace qxt::app
