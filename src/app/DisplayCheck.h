#pragma once
// The window needs a display; without one Qt ends the process with an abort. DisplayCheck says
// beforehand when nothing could be tried, and while the window system is being set up it turns
// Qt's fatal "no platform plugin" into one line and exit status 2.

#include <QStringList>
#include <QtGlobal>
#include <string>

namespace qxt::app {

class DisplayCheck {
 public:
  // Why no window system could be tried: "" when DISPLAY, WAYLAND_DISPLAY, QT_QPA_PLATFORM or a
  // -platform option names one.
  static std::string Missing(const QStringList& args);
  // The one line printed on standard error before exit status 2.
  static std::string Line(const std::string& why);

  // Held while QApplication is constructed: Qt's messages are kept back, and a fatal one ends
  // the process with Line() and status 2. Messages of a successful start are passed on after.
  DisplayCheck();
  ~DisplayCheck();
  DisplayCheck(const DisplayCheck&) = delete;
  DisplayCheck& operator=(const DisplayCheck&) = delete;

 private:
  static void Handler(QtMsgType type, const QMessageLogContext& context, const QString& text);

  QtMessageHandler previous_;
};

}  // namespace qxt::app
