#include "app/DisplayCheck.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace qxt::app {

namespace {

std::vector<QString> held;
QByteArray firstReason;

bool Set(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

}  // namespace

std::string DisplayCheck::Missing(const QStringList& args) {
  if (Set("DISPLAY") || Set("WAYLAND_DISPLAY") || Set("QT_QPA_PLATFORM")) return "";
  for (const QString& a : args) {
    if (a == "-platform" || a.startsWith("-platform=")) return "";
  }
  return "neither DISPLAY nor WAYLAND_DISPLAY is set";
}

std::string DisplayCheck::Line(const std::string& why) {
  return "qxt7130-adj: the window needs a display and none can be used (" + why +
         "); --read, --restore, --list, --diff and --history need none\n";
}

DisplayCheck::DisplayCheck() : previous_(qInstallMessageHandler(&DisplayCheck::Handler)) {}

DisplayCheck::~DisplayCheck() {
  qInstallMessageHandler(previous_);
  for (const QString& text : held) std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
  held.clear();
}

void DisplayCheck::Handler(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type != QtFatalMsg) {
    if (firstReason.isEmpty() && type == QtWarningMsg) firstReason = text.toLocal8Bit();
    held.push_back(text);
    return;
  }
  // Qt's own fatal text blames the installation; the first warning says what really failed.
  const QByteArray why = firstReason.isEmpty() ? text.section('\n', 0, 0).toLocal8Bit() : firstReason;
  std::fputs(Line(why.toStdString()).c_str(), stderr);
  std::_Exit(2);
}

}  // namespace qxt::app
