// QX-T7130 ADJ Rev.1.0: the entry procedure.

#include <unistd.h>

#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <QWindow>
#include <csignal>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/ComTimer.h"
#include "app/CommandLine.h"
#include "app/DisplayCheck.h"
#include "app/HeadlessAlign.h"
#include "app/HeadlessTransfer.h"
#include "app/OfflineModes.h"
#include "app/QtMessageBox.h"
#include "app/QtSerialPort.h"
#include "app/QuitOnSignal.h"
#include "app/RecordSetup.h"
#include "app/ReportWriter.h"
#include "app/SingleInstance.h"
#include "app/Translations.h"
#include "app/frmMain.h"
#include "common/Common.h"
#include "common/SteadyTickSource.h"
#include "record/RecordReader.h"
#include "record/ServiceRecord.h"

using namespace qxt;
using namespace qxt::app;

namespace {

// Milliseconds since this process was started, from the kernel's own record of its start.
long ProcessAgeMs() {
  std::FILE* stat = std::fopen("/proc/self/stat", "r");
  std::FILE* uptime = std::fopen("/proc/uptime", "r");
  unsigned long long startTicks = 0;
  double up = 0;
  if (stat != nullptr) {
    char buf[1024] = {};
    size_t n = std::fread(buf, 1, sizeof buf - 1, stat);
    buf[n] = '\0';
    const char* p = std::strrchr(buf, ')');
    for (int field = 2; p != nullptr && field < 22; ++field) p = std::strchr(p + 1, ' ');
    if (p != nullptr) startTicks = std::strtoull(p + 1, nullptr, 10);
    std::fclose(stat);
  }
  if (uptime != nullptr) {
    if (std::fscanf(uptime, "%lf", &up) != 1) up = 0;
    std::fclose(uptime);
  }
  return static_cast<long>(up * 1000.0 - startTicks * 1000.0 / sysconf(_SC_CLK_TCK));
}

QStringList RawArguments(int argc, char** argv) {
  QStringList args;
  for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
  return args;
}

int WrongCommandLine(const CommandLine& cl) {
  std::fprintf(stderr, "qxt7130-adj: %s\n%s", cl.error.c_str(), CommandLine::Usage());
  return 2;
}

// For the documentation: connect, wait until the steady cycle has settled, save the window.
void ScheduleScreenshot(frmMain& form, const QString& file) {
  form.program().main().ClickCmd00(0);
  auto* poll = new QTimer(&form);
  auto settledSince = std::make_shared<int>(0);
  QObject::connect(poll, &QTimer::timeout, &form, [&form, file, poll, settledSince] {
    const bool steady = form.program().op().work().isSteady() && !form.program().seq().OpRunning();
    *settledSince = steady ? *settledSince + 1 : 0;
    if (*settledSince < 20 && !form.program().op().work().isIdle()) return;
    poll->stop();
    form.grab().save(file, "PNG");
    form.close();
  });
  poll->start(100);
}

// Reports the first time the window is really on the screen.
class ExposeReporter : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* window = qobject_cast<QWindow*>(watched);
    if (!done_ && event->type() == QEvent::Expose && window != nullptr && window->isExposed()) {
      done_ = true;
      std::fprintf(stderr, "timing: window shown %ld ms after start\n", ProcessAgeMs());
    }
    return false;
  }

 private:
  bool done_ = false;
};

// The window: one copy per user and display. Qt has taken its own options out of the
// arguments by the time they are parsed.
int RunWindow(int argc, char** argv) {
  const QStringList raw = RawArguments(argc, argv);
  if (const std::string missing = DisplayCheck::Missing(raw); !missing.empty()) {
    const CommandLine own = CommandLine::Parse(CommandLine::WithoutQtOptions(raw));
    if (!own.error.empty()) return WrongCommandLine(own);
    std::fputs(DisplayCheck::Line(missing).c_str(), stderr);
    return 2;
  }
  std::optional<DisplayCheck> check(std::in_place);
  QApplication app(argc, argv);
  check.reset();
  app.setApplicationName("qxt7130-adj");
  const CommandLine cl = CommandLine::Parse(QCoreApplication::arguments());
  if (!cl.error.empty()) return WrongCommandLine(cl);
  if (!cl.recordServer.empty()) record::RecordOptions::ServerForThisRun(cl.recordServer);
  const Translations translations;
  QtMessageBox messageBox;
  common::MessageBox::install(&messageBox);
  SingleInstance instance;
  if (!instance.tryLock()) {
    common::MsgBoxError(SingleInstance::RefusalMessage());
    return 1;
  }
  QtSerialPort port;
  frmMain form(port, common::SteadyTickSource::instance());
  messageBox.setParent(&form);
  for (const auto& mapping : cl.portDevices) form.program().com().portDevices().addOverride(mapping);
  form.program().Start();
  if (!cl.generator.empty() || !cl.sequence.empty()) {
    instrument::BenchOptions bench = form.program().op().work().generator().options();
    if (!cl.generator.empty()) bench.generator = cl.generator;
    if (!cl.sequence.empty()) bench.sequence = cl.sequence;
    form.program().op().work().generator().Configure(bench);  // this run only
  }
  ComTimer timer(form.program().com());
  timer.start();
  form.show();
  ExposeReporter exposed;
  if (cl.timing && form.windowHandle() != nullptr) form.windowHandle()->installEventFilter(&exposed);
  if (cl.connect) form.program().main().ClickCmd00(0);
  // Shutdown, logout, Ctrl+C or a closed terminal end the program as its close box does.
  QuitOnSignal quitOnSignal({SIGTERM, SIGINT, SIGHUP}, [&form](int) {
    form.CloseForSystem();
    QApplication::quit();
  });
  QObject::connect(&app, &QGuiApplication::commitDataRequest, &form, [&form] { form.CloseForSystem(); });
  QObject::connect(&app, &QCoreApplication::aboutToQuit, &form, [&form] { form.CloseForSystem(); });
  if (!cl.screenshot.empty()) ScheduleScreenshot(form, QString::fromStdString(cl.screenshot));
  const int rc = app.exec();
  timer.stop();
  common::MessageBox::install(nullptr);
  return rc;
}

// --report N FILE: no window, but fonts and a PDF writer.
int SaveReport(const CommandLine& cl) {
  const std::string& path = cl.files[0];
  if (QFileInfo::exists(QString::fromStdString(path))) {
    std::fprintf(stderr, "qxt7130-adj: %s exists; the report is saved only as a new file\n", path.c_str());
    return 1;
  }
  const auto store = RecordSetup::ForReading(std::cerr);
  if (!store->on() && !store->shared()) {
    std::fprintf(stderr, "qxt7130-adj: %s\n", store->problem().c_str());
    return 1;
  }
  const record::RecordReader& reader = store->reader();
  if (!store->readProblem().empty()) {
    std::fprintf(stderr, "qxt7130-adj: %s\n", store->readProblem().c_str());
    if (!store->on()) return 1;
  }
  const QString why = ReportWriter::SaveSession(reader, cl.session, "", QString::fromStdString(path));
  if (!why.isEmpty()) {
    std::fprintf(stderr, "qxt7130-adj: the report was not saved: %s\n", why.toLocal8Bit().constData());
    return 1;
  }
  return 0;
}

// The modes without a window, on the application object that main() built for them.
int RunMode(const CommandLine& cl) {
  if (!cl.error.empty()) return WrongCommandLine(cl);
  if (!cl.recordServer.empty()) record::RecordOptions::ServerForThisRun(cl.recordServer);
  switch (cl.mode) {
    case Mode::kHelp:
      std::fputs(CommandLine::Usage(), stdout);
      return 0;
    case Mode::kVersion:
      std::fputs(CommandLine::Version(), stdout);
      return 0;
    case Mode::kList:
      return OfflineModes::List(cl.files[0], std::cout, std::cerr);
    case Mode::kDiff:
      return OfflineModes::Diff(cl.files[0], cl.files[1], std::cout, std::cerr);
    case Mode::kHistory:
      return OfflineModes::History(*RecordSetup::ForReading(std::cerr), cl.csv, std::cout, std::cerr);
    case Mode::kSession:
      return OfflineModes::Session(*RecordSetup::ForReading(std::cerr), cl.session, cl.csv, std::cout, std::cerr);
    case Mode::kRadio:
      return OfflineModes::Radio(*RecordSetup::ForReading(std::cerr), cl.radio, cl.csv, std::cout, std::cerr);
    case Mode::kReport:
      return SaveReport(cl);
    case Mode::kRead:
    case Mode::kRestore:
      return HeadlessTransfer(cl).Run();
    case Mode::kAlign:
      return HeadlessAlign(cl).Run();
    case Mode::kWindow:
      break;
  }
  return 2;
}

}  // namespace

// The arguments decide first which application object the run needs: the modes without a window
// never touch the window system, so they run where there is no display.
int main(int argc, char** argv) {
  switch (CommandLine::Needs(RawArguments(argc, argv))) {
    case AppKind::kCore: {
      // No window system takes Qt's options here: they are accepted and have nothing to do.
      QCoreApplication app(argc, argv);
      return RunMode(CommandLine::Parse(CommandLine::WithoutQtOptions(QCoreApplication::arguments())));
    }
    case AppKind::kPainting: {
      // The report's plots are drawn with widgets' graphics scene: offscreen without a display.
      if (!DisplayCheck::Missing(RawArguments(argc, argv)).empty()) setenv("QT_QPA_PLATFORM", "offscreen", 1);
      QApplication app(argc, argv);
      return RunMode(CommandLine::Parse(QCoreApplication::arguments()));
    }
    case AppKind::kWindow:
      break;
  }
  return RunWindow(argc, argv);
}
