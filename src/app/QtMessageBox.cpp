#include "app/QtMessageBox.h"

#include <QMessageBox>

#include "common/Translate.h"

namespace qxt::app {

int16_t QtMessageBox::show(const std::string& text, const std::string& title, int16_t style,
                           const std::string& detail) {
  QString body = QString::fromStdString(common::Shown(text));
  body.replace("\r\n", "\n");
  const QMessageBox::Icon icon = style == kCritical  ? QMessageBox::Critical
                                 : style == kWarning ? QMessageBox::Warning
                                                     : QMessageBox::Information;
  QMessageBox box(icon, QString::fromStdString(title), body, QMessageBox::Ok, parent_);
  box.setAccessibleName(QString::fromStdString(title));
  if (!detail.empty()) box.setDetailedText(QString::fromStdString(common::Shown(detail)));
  box.exec();
  return kOk;
}

}  // namespace qxt::app
