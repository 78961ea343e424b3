// Figures of the running program against the simulated radio over a real pseudo-terminal:
// connect time at 9600 bit/s against the physical limit, the clone read at full speed, the
// delay from a key press to the frame on the wire (with the service record on and off), the
// service record's write rate, the start-up time, the idle CPU and peak memory of the real
// program, and a default Align all at 9600 bit/s with the simulated generator. Prints rows of
// the figures table; nothing here passes or fails.

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/ComTimer.h"
#include "app/PlotPanel.h"
#include "app/QtSerialPort.h"
#include "common/SteadyTickSource.h"
#include "program/RigProgram.h"
#include "record/ServiceRecord.h"
#include "record/SqliteReader.h"
#include "support/EventLoop.h"
#include "support/FakeViews.h"
#include "support/RecordingMessageBox.h"
#include "support/SimProcess.h"
#include "support/TempDir.h"

#include "FigureTable.h"

using namespace qxt;
using namespace qxt::test;
using qxt::bench::MonotonicMs;
using qxt::bench::Row;

namespace {

struct LogFrame {
  double ms;
  std::string direction;
  std::string hex;
};

std::vector<LogFrame> ReadLog(const std::string& file) {
  std::vector<LogFrame> frames;
  std::ifstream in(file);
  LogFrame f;
  while (in >> f.ms >> f.direction >> f.hex) frames.push_back(f);
  return frames;
}

// The program core with fake controls, driven by the real 50 ms heartbeat and port events.
struct Core {
  // recording: whether the service record is on (off: its file cannot be created).
  explicit Core(const std::string& device, bool recording = true)
      : recordPath(recording ? dir.file("service.sqlite") : "/proc/no-record/service.sqlite") {
    setenv("XDG_DATA_HOME", dir.path().c_str(), 1);
    program.profMain().setPath(dir.path() + "/");
    program.com().portDevices().setOverride(1, device);
    program.Start();
    timer.start();
  }
  bool RunUntil(const std::function<bool()>& done, int guardMs) { return RunEventsUntil(done, guardMs); }
  void RunFor(int ms) { RunEventsFor(ms); }

  TempDir dir;
  std::string recordPath;
  RecordingMessageBox messages;
  app::QtSerialPort port;
  FakeMainView view;
  FakeWindowView window;
  program::RigProgram program{port, common::SteadyTickSource::instance(), view, window, recordPath};
  app::ComTimer timer{program.com()};
};

std::string Format(const char* fmt, double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, fmt, v);
  return buf;
}

// Commands of items sent by the console itself, each followed by its 200 ms wait at connection.
bool WaitsAfter(int command) {
  switch (command) {
    case 0x0B:
    case 0x11:
    case 0x0D:
    case 0x1A:
    case 0x0F:
    case 0x08:
    case 0x05:
    case 0x13:
    case 0x14:
    case 0x06:
    case 0x07:
    case 0x30:
      return true;
    default:
      return false;
  }
}

// A restore of a connected radio: the clone write of the whole image and the read that checks
// it, against the bytes that cross the line while it runs.
void RestoreAt9600(Core& core, const std::string& log) {
  Bytes image = core.program.radio().eepImage().bytes();
  image[0xA6] = static_cast<uint8_t>(image[0xA6] ^ 1);
  const size_t before = ReadLog(log).size();
  const double start = MonotonicMs();
  if (core.program.op().work().StartRestore(image) ||
      !core.RunUntil([&] { return !core.view.reports.empty(); }, 400000) || !core.view.reports[0].second) {
    Row("Restore at 9600 bit/s", "did not finish", "-");
    return;
  }
  const double measured = (MonotonicMs() - start) / 1000.0;
  const auto frames = ReadLog(log);
  double bytes = 0;
  for (size_t i = before; i < frames.size(); ++i) bytes += frames[i].hex.size() / 2.0;
  const double limit = bytes / 960.0;
  Row("Restore (write and check read) at 9600 bit/s", Format("%.2f s", measured), "-");
  Row("Physical limit (" + Format("%.0f", bytes) + " bytes at 960 bytes/s)", Format("%.2f s", limit), "-");
  Row("Restore time / physical limit", Format("%.3f", measured / limit), "<= 1.02");
}

void ConnectAt9600() {
  TempDir logDir;
  const std::string log = logDir.file("sim.log");
  SimProcess sim({"--baud", getenv("QXT_BENCH_BAUD") ? getenv("QXT_BENCH_BAUD") : "9600", "--log", log});
  Core core(sim.path());
  const double start = MonotonicMs();
  core.program.main().ClickCmd00(0);
  if (!core.RunUntil([&] { return core.program.op().work().isSteady(); }, 400000)) {
    Row("Connect at 9600 bit/s", "did not finish", "-");
    return;
  }
  const double measured = (MonotonicMs() - start) / 1000.0;
  double bytes = 0, waits = 0;
  for (const auto& f : ReadLog(log)) {
    bytes += f.hex.size() / 2.0;
    if (f.direction == "RX" && f.hex.size() == 26 && f.hex.compare(8, 2, "E8") == 0 &&
        WaitsAfter(std::stoi(f.hex.substr(18, 2), nullptr, 16))) {
      waits += 0.2;
    }
  }
  const double limit = bytes / 960.0 + waits;
  Row("Connect to steady cycle at 9600 bit/s", Format("%.2f s", measured), "-");
  Row("Physical limit (" + Format("%.0f", bytes) + " bytes at 960 bytes/s + " + Format("%.1f", waits) + " s waits)",
      Format("%.2f s", limit), "-");
  Row("Connect time / physical limit", Format("%.3f", measured / limit), "<= 1.01");
  RestoreAt9600(core, log);
}

// A default Align all from its Connect, at the real line rate, with the simulated generator:
// how much of it is the line, the settle times and the generator's answers.
void AlignAllAt9600() {
  TempDir logDir;
  const std::string log = logDir.file("sim.log");
  SimProcess sim({"--baud", "9600", "--log", log, "--generator", "0"});
  Core core(sim.path());
  adjust::BenchGenerator& generator = core.program.op().work().generator();
  instrument::BenchOptions bench = generator.options();
  bench.generator = "TCPIP0::127.0.0.1::" + std::to_string(sim.generatorPort()) + "::SOCKET";
  generator.Configure(bench);
  const double start = MonotonicMs();
  const adjust::AlignAll& align = core.program.op().work().alignAll();
  if (!core.program.main().AlignAll().empty() || !core.RunUntil([&] { return align.over(); }, 900000) ||
      !align.succeeded()) {
    Row("Align all at 9600 bit/s", "did not finish: " + align.Headline(), "-");
    return;
  }
  const double measured = (MonotonicMs() - start) / 1000.0;
  double bytes = 0;
  for (const auto& f : ReadLog(log)) bytes += f.hex.size() / 2.0;
  int levels = 0;
  for (const auto& e :
       record::SqliteReader(*core.program.record().database()).Events(core.program.record().session())) {
    if (e.kind == "instrument" && e.text.find(": :POW ") != std::string::npos) ++levels;
  }
  const double wire = bytes / 960.0;
  const double settle = levels * bench.settleMs / 1000.0;
  const double instrument = generator.waitedMs() / 1000.0;
  auto share = [&](double part) { return Format("%.2f s", part) + Format(" (%.1f %%)", 100.0 * part / measured); };
  Row("Align all (BPF ALL, RX LVA, TX LVA, RSSI) from Connect at 9600 bit/s", Format("%.2f s", measured), "-");
  Row("- on the wire (" + Format("%.0f", bytes) + " bytes at 960 bytes/s)", share(wire), "-");
  Row("- settle times (" + std::to_string(levels) + " x " + std::to_string(bench.settleMs) + " ms)", share(settle),
      "-");
  Row("- waiting for the generator (" + std::to_string(generator.groups()) + " groups, in 50 ms steps)",
      share(instrument), "-");
  Row("- the rest: waits after live commands, 50 ms steps", share(measured - wire - settle - instrument), "-");
}

void CloneReadFullSpeed() {
  SimProcess sim;
  Core core(sim.path());
  std::vector<double> times;
  for (int run = 0; run < 5; ++run) {
    const double start = MonotonicMs();
    core.program.main().ClickCmd00(0);
    core.RunUntil(
        [&] {
          return core.program.op().work().opState() >= adjust::OpState::kFirstReadouts ||
                 core.program.op().work().isIdle();
        },
        60000);
    times.push_back((MonotonicMs() - start) / 1000.0);
    core.RunUntil([&] { return core.program.op().work().isSteady(); }, 60000);
  }
  std::sort(times.begin(), times.end());
  Row("Clone read of the whole image at full pseudo-terminal speed (median of 5)", Format("%.3f s", times[2]),
      "< 0.25 s");
}

// With the plot panel shown and a synthetic sweep growing on it by a point every 20 ms, so that it
// redraws at its full rate while the keys are pressed.
struct BusyPlot {
  BusyPlot() {
    data.ProcedureStarted(adjust::ProcedureKind::kBpfSweep, "BPF T1", "80");
    data.SeriesStarted("BPF T1", 80, std::nullopt);
    panel.show();
    QObject::connect(&feed, &QTimer::timeout, [this] {
      data.Point("BPF T1", static_cast<int16_t>(n % 256), static_cast<int16_t>(40 + (n * 7) % 150));
      if (++n % 256 == 0) data.ProcedureStarted(adjust::ProcedureKind::kBpfSweep, "BPF T1", "80");
    });
    feed.start(20);
  }
  window::PlotData data;
  app::PlotPanel panel{data};
  QTimer feed;
  int n = 0;
};

void StepToWire(bool recording, bool plotting = false) {
  TempDir logDir;
  const std::string log = logDir.file("sim.log");
  SimProcess sim({"--log", log});
  Core core(sim.path(), recording);
  std::unique_ptr<BusyPlot> plot(plotting ? new BusyPlot : nullptr);
  core.program.main().ClickCmd00(0);
  core.RunUntil([&] { return core.program.op().work().isSteady(); }, 60000);
  core.RunFor(1000);
  std::vector<double> delays;
  size_t seen = ReadLog(log).size();
  for (int step = 0; step < 200; ++step) {
    const double pressed = MonotonicMs();
    core.program.main().ConsoleKeyDown(
        step % 2 == 0 ? window::MainWindowLogic::Key::kRight : window::MainWindowLogic::Key::kLeft, false, 1);
    double arrived = -1;
    core.RunUntil(
        [&] {
          auto frames = ReadLog(log);
          for (size_t i = seen; i < frames.size(); ++i) {
            if (frames[i].direction == "RX" && frames[i].hex.compare(8, 2, "E8") == 0) arrived = frames[i].ms;
          }
          seen = frames.size();
          return arrived >= 0;
        },
        5000);
    if (arrived >= 0) delays.push_back(arrived - pressed);
    core.RunFor(250 + step % 37);  // the item's wait, and a phase that wanders against the tick
  }
  std::sort(delays.begin(), delays.end());
  if (delays.empty()) return;
  const std::string how = plotting ? ", plot panel redrawing" : recording ? "" : ", service record off";
  Row("Value step to wire" + how + ", median of " + std::to_string(delays.size()),
      Format("%.1f ms", delays[delays.size() / 2]),
      plotting    ? "within noise of the above"
      : recording ? "within noise of the record off"
                  : "-");
  Row("Value step to wire" + how + ", 99th percentile", Format("%.1f ms", delays[delays.size() * 99 / 100]),
      "<= 60 ms");
}

// Events written to the service record, each committed on its own as the program writes them.
void RecordEvents() {
  TempDir dir;
  record::ServiceRecord store(dir.file("service.sqlite"));
  store.BeginSession(1, "/dev/ttyUSB0", "");
  constexpr int kEvents = 2000;
  const double t0 = MonotonicMs();
  for (int i = 0; i < kEvents; ++i) store.ValueSent("Power", 0xA6, i & 0xFF, (i + 1) & 0xFF, record::SendReason::kKey);
  const double ms = MonotonicMs() - t0;
  Row("Service record: events written per second (each committed, WAL, synchronous FULL)",
      Format("%.0f", kEvents / (ms / 1000.0)), "-");
  Row("Service record: time to write one event", Format("%.2f ms", ms / kEvents), "-");
}

long ProcStatTicks(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  std::getline(in, line);
  std::istringstream rest(line.substr(line.rfind(')') + 2));
  std::string field;
  long utime = 0, stime = 0;
  for (int i = 3; i <= 15 && rest >> field; ++i) {
    if (i == 14) utime = std::stol(field);
    if (i == 15) stime = std::stol(field);
  }
  return utime + stime;
}

long PeakKb(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/status");
  std::string key;
  long value = 0;
  while (in >> key) {
    if (key == "VmHWM:") {
      in >> value;
      return value;
    }
    in.ignore(1 << 16, '\n');
  }
  return value;
}

void RealProgram() {
  TempDir home;
  SimProcess sim({"--link", home.file("qzr700")});
  int err[2];
  if (pipe(err) != 0) return;
  pid_t pid = fork();
  if (pid == 0) {
    dup2(err[1], 2);
    setenv("HOME", home.path().c_str(), 1);
    setenv("XDG_RUNTIME_DIR", home.path().c_str(), 1);
    if (getenv("DISPLAY") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const std::string port = "COM1=" + home.file("qzr700");
    execl(QXT_APP_PATH, QXT_APP_PATH, "--port-device", port.c_str(), "--connect", "--timing", nullptr);
    _exit(127);
  }
  close(err[1]);
  char buf[256] = {};
  ssize_t n = read(err[0], buf, sizeof buf - 1);
  long shown = -1;
  if (n > 0)
    std::sscanf(std::strstr(buf, "timing:") ? std::strstr(buf, "timing:") : "", "timing: window shown %ld", &shown);
  Row(std::string("Main window shown after start") + (getenv("DISPLAY") ? " (X display)" : " (offscreen)"),
      Format("%.0f ms", static_cast<double>(shown)), "< 500 ms");
  usleep(15 * 1000 * 1000);  // connected and settled
  const long before = ProcStatTicks(pid);
  const double t0 = MonotonicMs();
  usleep(30 * 1000 * 1000);
  const double cpu = (ProcStatTicks(pid) - before) / static_cast<double>(sysconf(_SC_CLK_TCK)) /
                     ((MonotonicMs() - t0) / 1000.0) * 100.0;
  Row("Idle CPU of the program connected to the simulator for 30 s", Format("%.2f %% of a core", cpu), "< 1 %");
  Row("Peak memory of the program", Format("%.1f MB", PeakKb(pid) / 1024.0), "< 80 MB");
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  close(err[0]);
}

// The headless transfer sleeps between heartbeats: its CPU time against the time the read takes.
void HeadlessReadCpu() {
  TempDir home;
  SimProcess sim(
      {"--link", home.file("qzr700"), "--baud", getenv("QXT_BENCH_BAUD") ? getenv("QXT_BENCH_BAUD") : "9600"});
  const double t0 = MonotonicMs();
  pid_t pid = fork();
  if (pid == 0) {
    setenv("XDG_DATA_HOME", home.path().c_str(), 1);
    setenv("XDG_CONFIG_HOME", home.path().c_str(), 1);
    const std::string out = home.file("read.bin"), port = home.file("qzr700");
    execl(QXT_APP_PATH, QXT_APP_PATH, "--read", out.c_str(), "--port", port.c_str(), nullptr);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  const double seconds = (MonotonicMs() - t0) / 1000.0;
  const double cpu =
      usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  Row("Headless --read at 9600 bit/s: CPU seconds per second of transfer",
      WIFEXITED(status) && WEXITSTATUS(status) == 0
          ? Format("%.3f", cpu / seconds) + Format(" (a read of %.0f s)", seconds)
          : "failed",
      "< 0.05");
}

}  // namespace

int main(int argc, char** argv) {
  if (getenv("DISPLAY") == nullptr && getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);  // the plot panel is a widget
  const std::string only = argc > 1 ? argv[1] : "";
  if (only.empty() || only == "clone") CloneReadFullSpeed();
  if (only.empty() || only == "record") RecordEvents();
  if (only.empty() || only == "step") {
    StepToWire(false);
    StepToWire(true);
    StepToWire(true, true);
  }
  if (only.empty() || only == "program") RealProgram();
  if (only.empty() || only == "connect" || only == "restore") ConnectAt9600();
  if (only.empty() || only == "headless") HeadlessReadCpu();
  if (only.empty() || only == "align") AlignAllAt9600();
  return 0;
}
