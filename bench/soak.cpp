// make soak: a device that floods the port, then 200 connect-and-adjust cycles against one
// simulator, with a random fault in about half of them, then 300 clean Connects whose clone read
// runs at full pseudo-terminal speed. Fails on a crash, a hang, a flood not given up on with a
// message or growing memory or the trace past their bounds, memory growth of 2 MB or more over
// the cycles, a leaked descriptor, or any message during the clean Connects (such as a false
// "COM buffer overflow.").
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>

#include "ResidentMemory.h"
#include "app/ComTimer.h"
#include "app/QtSerialPort.h"
#include "common/SteadyTickSource.h"
#include "program/RigProgram.h"
#include "support/EventLoop.h"
#include "support/FakeViews.h"
#include "support/Pty.h"
#include "support/RecordingMessageBox.h"
#include "support/SimProcess.h"
#include "support/TempDir.h"

using namespace qxt;
using namespace qxt::test;

namespace {

int OpenDescriptors() {
  int n = 0;
  if (DIR* d = opendir("/proc/self/fd")) {
    while (readdir(d) != nullptr) ++n;
    closedir(d);
  }
  return n;
}

// A device that answers the inquiry's echo and then pours out bytes without end: the program
// gives up with its message, and its memory and its trace stay bounded meanwhile.
bool Flood(program::RigProgram& program, RecordingMessageBox& box, const TempDir& dir) {
  Pty device;
  const std::string options = program.profMain().GetMyProfile();
  TempDir::Write(options, "[TRACE]\nFile=" + dir.file("trace.log") + "\n");
  program.com().portDevices().setOverride(1, device.path());
  ::fcntl(device.master(), F_SETFL, ::fcntl(device.master(), F_GETFL) | O_NONBLOCK);
  const long startKb = ResidentKb();
  long peakKb = startKb;
  size_t poured = 0;
  box.shown.clear();
  program.main().ClickCmd00(0);
  uint8_t inquiry[64];
  if (!RunEventsUntil([&] { return ::read(device.master(), inquiry, sizeof inquiry) > 0; }, 5000)) return false;
  const Bytes chunk(64 * 1024, 0x00);
  const bool gaveUp = RunEventsUntil(
      [&] {
        const ssize_t n = ::write(device.master(), chunk.data(), chunk.size());
        poured += n > 0 ? static_cast<size_t>(n) : 0;
        peakKb = std::max(peakKb, ResidentKb());
        return !box.shown.empty();
      },
      120000);
  const size_t traced = TempDir::Read(dir.file("trace.log")).size();
  std::printf("flood: %zu MB poured, %s, resident memory grew by %ld kB at most, trace %zu kB\n", poured >> 20,
              gaveUp ? "given up with a message" : "NOT given up", peakKb - startKb, traced >> 10);
  TempDir::Write(options, "");
  program.com().portDevices().setOverride(1, dir.file("qzr700"));
  return gaveUp && !program.com().comOpen() && peakKb - startKb < 32 * 1024 &&
         traced <= size_t{link::ProtocolTrace::kMaxBytes};
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int cycles = argc > 1 ? std::atoi(argv[1]) : 200;
  TempDir dir;
  setenv("XDG_DATA_HOME", dir.path().c_str(), 1);
  SimProcess sim({"--link", dir.file("qzr700")});
  RecordingMessageBox box;
  app::QtSerialPort port;
  FakeMainView view;
  FakeWindowView window;
  program::RigProgram program(port, common::SteadyTickSource::instance(), view, window, dir.file("service.sqlite"));
  program.profMain().setPath(dir.path() + "/");
  program.com().portDevices().setOverride(1, dir.file("qzr700"));
  program.Start();
  app::ComTimer timer(program.com());
  timer.start();
  if (!Flood(program, box, dir)) {
    std::fprintf(stderr, "soak: FAILED at the flood\n");
    return 1;
  }

  const char* faults[] = {"no-echo",   "no-answer-inquiry", "slow",     "short-e1", "bad-checksum=300",
                          "bad-count", "other-model",       "sub-0200", "pos43-05", "no-answer-ad",
                          "bad-ad",    "hangup=400",        "garbage"};
  std::mt19937 rng(2927);
  long baseKb = 0;
  int baseFds = 0, connected = 0, failed = 0;
  for (int cycle = 1; cycle <= cycles; ++cycle) {
    sim.Command("fault clear");
    if (rng() % 2) sim.Command(std::string("fault ") + faults[rng() % std::size(faults)]);
    box.shown.clear();
    program.main().ClickCmd00(0);
    if (!RunEventsUntil([&] { return program.op().work().isSteady() || !box.shown.empty(); }, 120000)) {
      std::fprintf(stderr, "soak: cycle %d hangs in state %d\n", cycle, adjust::Number(program.op().work().opState()));
      return 1;
    }
    if (box.shown.empty()) {
      ++connected;
      for (int k = 0; k < 5; ++k) {
        using Key = window::MainWindowLogic::Key;
        const Key key = rng() % 2 ? Key::kRight : Key::kLeft;
        const bool shift = rng() % 2 != 0;
        program.main().ConsoleKeyDown(key, shift, static_cast<int>(1 + rng() % 15));
        RunEventsUntil([] { return false; }, 100);
      }
      RunEventsUntil([&] { return !box.shown.empty(); }, 1500);
    } else {
      ++failed;
    }
    if (cycle == std::min(10, cycles)) {  // after the first ten, or all of a shorter run
      baseKb = ResidentKb();
      baseFds = OpenDescriptors();
    }
    if (cycle % 20 == 0) {
      std::printf("soak: %d cycles (%d connected, %d failed), %ld kB resident, %d descriptors\n", cycle, connected,
                  failed, ResidentKb(), OpenDescriptors());
      std::fflush(stdout);
    }
  }
  // The clone read is where a fast stream could be taken for an overflow: each Connect runs until
  // the image is in, and the next one starts at once.
  const int clean = argc > 2 ? std::atoi(argv[2]) : 300;
  sim.Command("fault clear");
  int alarms = 0;
  for (int i = 1; i <= clean; ++i) {
    box.shown.clear();
    program.main().ClickCmd00(0);
    if (!RunEventsUntil(
            [&] { return program.op().work().opState() > adjust::OpState::kCloneRead || !box.shown.empty(); }, 60000)) {
      std::fprintf(stderr, "soak: clean Connect %d hangs\n", i);
      return 1;
    }
    if (!box.shown.empty()) {
      ++alarms;
      std::fprintf(stderr, "soak: clean Connect %d: %s\n", i, box.shown.front().text.c_str());
    }
  }
  std::printf("soak: %d clean Connects at full speed, %d messages\n", clean, alarms);
  program.CloseDown();
  RunEventsUntil([] { return false; }, 200);
  const long growthKb = ResidentKb() - baseKb;
  const int fdGrowth = OpenDescriptors() - baseFds;
  std::printf("soak: done; memory growth %ld kB after cycle 10, descriptors %+d\n", growthKb, fdGrowth);
  if (growthKb >= 2048 || fdGrowth > 0 || alarms > 0) {
    std::fprintf(stderr, "soak: FAILED\n");
    return 1;
  }
  return 0;
}
