#include "app/OtherPortDialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QSerialPortInfo>
#include <QSet>
#include <QVBoxLayout>

namespace qxt::app {

OtherPortDialog::OtherPortDialog(QWidget* parent) : QDialog(parent), box_(new QComboBox(this)) {
  setWindowTitle(tr("Other port"));
  setAccessibleName(tr("Other port"));
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(tr("&Serial device (choose one found, or type its path):"), this);
  label->setBuddy(box_);
  layout->addWidget(label);
  box_->setEditable(true);
  box_->setAccessibleName(tr("Serial device"));
  box_->setMinimumWidth(480);
  for (const QString& path : Candidates()) {
    const QString what = QSerialPortInfo(QFileInfo(path).canonicalFilePath()).description();
    box_->addItem(what.isEmpty() ? path : path + "   " + what, path);
  }
  layout->addWidget(box_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

QString OtherPortDialog::Choose(QWidget* parent) {
  OtherPortDialog dialog(parent);
  return dialog.exec() == QDialog::Accepted ? dialog.path() : QString();
}

QStringList OtherPortDialog::Candidates(const QString& byIdFolder) {
  QStringList out;
  QSet<QString> named;  // canonical paths already offered under a by-id name
  for (const QFileInfo& link : QDir(byIdFolder).entryInfoList(QDir::Files | QDir::System, QDir::Name)) {
    out << link.absoluteFilePath();
    named << link.canonicalFilePath();
  }
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    const QString path = info.systemLocation();
    if (!named.contains(QFileInfo(path).canonicalFilePath())) out << path;
  }
  return out;
}

// The item's own path when one was chosen from the list, else what was typed.
QString OtherPortDialog::path() const {
  const int i = box_->currentIndex();
  if (i >= 0 && box_->itemText(i) == box_->currentText()) return box_->itemData(i).toString();
  return box_->currentText().trimmed();
}

}  // namespace qxt::app
