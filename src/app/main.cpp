// QX-T7130 ADJ Rev.1.0: the entry procedure.

#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "ComTimer.h"
#include "CommandLine.h"
#include "Common.h"
#include "QtMessageBox.h"
#include "QtSerialPort.h"
#include "SingleInstance.h"
#include "SteadyTickSource.h"
#include "frmMain.h"

namespace {

// For the documentation: connect, wait until the steady cycle has settled, save the window.
void ScheduleScreenshot(frmMain& form, const QString& file) {
  form.program().main.ClickCmd00(0);
  auto* poll = new QTimer(&form);
  auto settledSince = std::make_shared<int>(0);
  QObject::connect(poll, &QTimer::timeout, &form, [&form, file, poll, settledSince] {
    const bool steady = form.program().op.opState() == 28 && !form.program().seq.OpRunning();
    *settledSince = steady ? *settledSince + 1 : 0;
    if (*settledSince < 20 && form.program().op.opState() != 0) return;
    poll->stop();
    form.grab().save(file, "PNG");
    form.close();
  });
  poll->start(100);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  app.setApplicationName("qxt7130-adj");
  QtMessageBox messageBox;
  MessageBox::install(&messageBox);

  CommandLine cl = CommandLine::Parse(app.arguments());
  if (cl.help || !cl.error.empty()) {
    if (!cl.error.empty()) std::fprintf(stderr, "qxt7130-adj: %s\n", cl.error.c_str());
    std::fputs(CommandLine::Usage(), stderr);
    return cl.help ? 0 : 2;
  }

  SingleInstance instance;
  if (!instance.tryLock()) {
    MsgBoxError(std::string("Cannot execute ") + kAppTitle + " repeatedly.\r\n" + kAppTitle + " is already executing.");
    return 1;
  }

  QtSerialPort port;
  frmMain form(port, SteadyTickSource::instance());
  messageBox.setParent(&form);
  for (const auto& mapping : cl.portDevices) {
    if (!form.program().com.portDevices.addOverride(mapping)) {
      std::fprintf(stderr, "qxt7130-adj: --port-device wants COMn=PATH, not \"%s\"\n", mapping.c_str());
      return 2;
    }
  }
  form.program().Start();
  ComTimer timer(form.program().com);
  timer.start();
  form.show();
  if (!cl.screenshot.empty()) ScheduleScreenshot(form, QString::fromStdString(cl.screenshot));
  const int rc = app.exec();
  timer.stop();
  MessageBox::install(nullptr);
  return rc;
}
