#include "app/HeadlessAlign.h"

#include <QEventLoop>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/ComTimer.h"
#include "app/HeadlessPort.h"
#include "app/QuitOnSignal.h"
#include "common/SteadyTickSource.h"

namespace qxt::app {

HeadlessAlign::HeadlessAlign(const CommandLine& cl)
    : cl_(cl), program_(port_, common::SteadyTickSource::instance(), view_, view_) {
  common::MessageBox::install(this);
  program_.SaveOptionsAtExit(false);  // a run from a shell leaves the window's options as they are
}

HeadlessAlign::~HeadlessAlign() { common::MessageBox::install(nullptr); }

int16_t HeadlessAlign::show(const std::string& text, const std::string&, int16_t, const std::string& detail) {
  std::string lines;
  for (const char c : detail.empty() ? text : text + "\r\n" + detail) {
    if (c != '\r') lines += c;
  }
  std::fprintf(stderr, "qxt7130-adj: %s\n", lines.c_str());
  program_.keeper().Message("error", text);
  lastError_ = text;
  return kOk;
}

void HeadlessAlign::UseBench() {
  instrument::BenchOptions o = program_.op().work().generator().options();
  if (!cl_.generator.empty()) o.generator = cl_.generator;  // checked with the command line
  if (!cl_.sequence.empty()) o.sequence = cl_.sequence;
  program_.op().work().generator().Configure(o);
}

void HeadlessAlign::PrintSummary() {
  const adjust::AlignAll& align = program_.op().work().alignAll();
  const instrument::BenchOptions& o = program_.op().work().generator().options();
  std::printf("%s\n", align.Headline().c_str());
  std::printf("radio: %s-%s\n", program_.radio().radioNameM().c_str(), program_.radio().radionameS().c_str());
  std::printf("generator: %s\n", program_.op().work().generator().Identity().c_str());
  std::printf("levels: BPF %s dBm, RSSI S3 %s dBm, S1 %s dBm at the antenna; cable loss %s dB\n",
              instrument::FormatLevel(o.bpfLevel).c_str(), instrument::FormatLevel(o.rssiS3Level).c_str(),
              instrument::FormatLevel(o.rssiS1Level).c_str(), instrument::FormatLevel(o.cableLoss).c_str());
  for (const std::string& line : align.Summary()) std::printf("  %s\n", line.c_str());
}

int HeadlessAlign::Run() {
  program_.Start();
  if (!ChooseHeadlessPort(program_, cl_)) {
    std::fprintf(stderr, "qxt7130-adj: --port wants COM1 to COM10 or a device path, not \"%s\"\n", cl_.port.c_str());
    return 2;
  }
  UseBench();
  adjust::clsIndOp_RigK70R& op = program_.op();
  if (const std::string why = program_.main().AlignAll(); !why.empty()) {
    std::fprintf(stderr, "qxt7130-adj: %s\n", why.c_str());
    return 1;
  }
  ComTimer timer(program_.com());
  timer.start();
  // A signal ends the run in order: the procedure under way puts back, RF goes off at the close.
  bool stopping = false;
  QuitOnSignal onSignal({SIGTERM, SIGINT, SIGHUP}, [&](int signal) {
    if (stopping) {
      std::fprintf(stderr, "qxt7130-adj: %s again: ending at once\n", strsignal(signal));
      std::_Exit(1);
    }
    stopping = true;
    std::fprintf(stderr, "qxt7130-adj: %s: stopping (again to end at once)\n", strsignal(signal));
    program_.BeginEnd();
  });
  // Until the run has ended and whatever its last procedure put back has reached the radio.
  QEventLoop loop;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    const bool quiet = stopping ? program_.EndSettled()
                                : op.work().isIdle() ||
                                      (op.work().isSteady() && !program_.seq().OpRunning() && !op.work().puttingBack());
    if (!op.work().alignAll().running() && quiet) loop.quit();
  });
  poll.start(50);
  loop.exec();
  timer.stop();
  PrintSummary();
  const bool ok = op.work().alignAll().succeeded();
  program_.keeper().Ended(ok ? "closed" : stopping ? "stopped" : "error", ok ? "" : op.work().alignAll().Headline());
  program_.CloseDown();
  return ok ? 0 : 1;
}

}  // namespace qxt::app
