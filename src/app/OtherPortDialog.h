#pragma once
// Option > Port > "Other port...": every serial device found (the stable /dev/serial/by-id names
// first, each with what the system says it is), or a path typed in.

#include <QComboBox>
#include <QDialog>
#include <QStringList>

namespace qxt::app {

class OtherPortDialog : public QDialog {
  Q_OBJECT

 public:
  explicit OtherPortDialog(QWidget* parent = nullptr);

  // The device chosen, or "" when cancelled.
  static QString Choose(QWidget* parent);
  // The devices offered: by-id names first, then the others not already named by one.
  static QStringList Candidates(const QString& byIdFolder = "/dev/serial/by-id");
  QString path() const;
  QComboBox* box() const { return box_; }

 private:
  QComboBox* box_;
};

}  // namespace qxt::app
