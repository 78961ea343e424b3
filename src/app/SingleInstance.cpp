#include "app/SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

#include "common/Common.h"
#include "common/Translate.h"

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
  return common::Compose(common::TrNoop("qxt", "Cannot execute %1 repeatedly."), {common::kAppTitle}) + "\r\n" +
         common::Compose(common::TrNoop("qxt", "%1 is already executing."), {common::kAppTitle});
}

bool SingleInstance::tryLock() { return lock_->tryLock(0); }

}  // namespace qxt::app
