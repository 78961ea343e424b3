#include "app/SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

#include "common/Common.h"

namespace qxt::app {

QString SingleInstance::DisplayName() {
  QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
  if (display.isEmpty()) display = qEnvironmentVariable("DISPLAY");
  if (display.isEmpty()) display = "nodisplay";
  display.replace('/', '_');
  return display;
}

SingleInstance::SingleInstance(const QString& name) {
  QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (dir.isEmpty()) dir = QDir::tempPath();
  path_ = dir + "/" + name + "-" + DisplayName() + ".lock";
  lock_ = std::make_unique<QLockFile>(path_);
}

std::string SingleInstance::RefusalMessage() {
  return std::string("Cannot execute ") + common::kAppTitle + " repeatedly.\r\n" + common::kAppTitle +
         " is already executing.";
}

bool SingleInstance::tryLock() { return lock_->tryLock(0); }

}  // namespace qxt::app
