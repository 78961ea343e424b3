// qzr700-sim: a simulated QZ-R700 with its cloning cable, on a pseudo-terminal.
//
//   qzr700-sim [--link PATH] [--baud 9600] [--log FILE] [--image FILE] [--save-image FILE]
//              [--mid] [--digital 0|1|2] [--signal s1|s3|off] [--temp C] [--vin V]
//              [--centre-t1 N] [--centre-t2 N] [--block-size N] [--fault NAME[=N]]...
//              [--generator PORT]
//
// With --generator a simulated signal generator takes SCPI on 127.0.0.1:PORT (0: a free port)
// and feeds the radio's antenna; its first line is then "generator: 127.0.0.1:PORT".
// The next line on standard output is "pty: /dev/pts/N". Commands on standard input change
// the bench while it runs (see SimCommands.h); it ends on "quit", SIGINT or SIGTERM.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/Common.h"
#include "sim/SimCommands.h"
#include "sim/SimGenerator.h"
#include "sim/SimImage.h"
#include "sim/SimLine.h"
#include "sim/SimRadio.h"
#include "sim/SimScpiServer.h"

using namespace qxt;

namespace {

struct Options {
  std::string link, log, image, saveImage;
  int baud = 0;
  bool mid = false;
  int digital = 0;
  int generatorPort = -1;             // none
  std::vector<std::string> commands;  // bench settings given on the command line
};

[[noreturn]] void Usage(const char* why) {
  std::fprintf(stderr,
               "qzr700-sim: %s\nusage: qzr700-sim [--link PATH] [--baud 9600] [--log FILE] [--image FILE]\n"
               "                  [--save-image FILE] [--mid] [--digital 0|1|2] [--signal s1|s3|off]\n"
               "                  [--temp C] [--vin V] [--centre-t1 N] [--centre-t2 N] [--block-size N]\n"
               "                  [--fault NAME[=N]]... [--generator PORT]\n",
               why);
  std::exit(2);
}

Options ParseArgs(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) Usage(("missing value after " + arg).c_str());
      return argv[++i];
    };
    if (arg == "--link")
      o.link = value();
    else if (arg == "--log")
      o.log = value();
    else if (arg == "--image")
      o.image = value();
    else if (arg == "--save-image")
      o.saveImage = value();
    else if (arg == "--baud")
      o.baud = std::atoi(value().c_str());
    else if (arg == "--mid")
      o.mid = true;
    else if (arg == "--digital")
      o.digital = std::atoi(value().c_str());
    else if (arg == "--signal")
      o.commands.push_back("signal " + value());
    else if (arg == "--temp")
      o.commands.push_back("temp " + value());
    else if (arg == "--vin")
      o.commands.push_back("vin " + value());
    else if (arg == "--centre-t1")
      o.commands.push_back("centre t1 " + value());
    else if (arg == "--centre-t2")
      o.commands.push_back("centre t2 " + value());
    else if (arg == "--block-size")
      o.commands.push_back("block " + value());
    else if (arg == "--generator")
      o.generatorPort = std::atoi(value().c_str());
    else if (arg == "--fault")
      o.commands.push_back("fault " + value());
    else
      Usage(("unknown option " + arg).c_str());
  }
  if (o.baud < 0) Usage("the bit rate must be positive");
  if (o.generatorPort > 65535) Usage("the generator's port is a number from 0 to 65535");
  return o;
}

class FrameLog {
 public:
  explicit FrameLog(const std::string& path) : file_(path.empty() ? nullptr : std::fopen(path.c_str(), "w")) {}
  ~FrameLog() {
    if (file_ != nullptr) std::fclose(file_);
  }
  void Write(const char* direction, const Bytes& frame) {
    if (file_ == nullptr) return;
    std::fprintf(file_, "%.3f %s %s\n", sim::SimLine::NowNs() / 1e6, direction, common::ByteStrToHexStr(frame).c_str());
    std::fflush(file_);
  }

 private:
  std::FILE* file_;
};

// Reads whole lines from standard input without blocking the loop.
class StdinLines {
 public:
  bool open() const { return open_; }
  std::vector<std::string> Read() {
    std::vector<std::string> lines;
    char buf[1024];
    ssize_t n = ::read(0, buf, sizeof buf);
    if (n <= 0) {
      open_ = false;
      return lines;
    }
    pending_.append(buf, static_cast<size_t>(n));
    for (size_t nl; (nl = pending_.find('\n')) != std::string::npos; pending_.erase(0, nl + 1)) {
      std::string line = pending_.substr(0, nl);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    if (pending_.size() > 4096) pending_.clear();
    return lines;
  }

 private:
  bool open_ = true;
  std::string pending_;
};

int SignalFd() {
  sigset_t mask;
  sigemptyset(&mask);
  sigaddset(&mask, SIGINT);
  sigaddset(&mask, SIGTERM);
  sigaddset(&mask, SIGHUP);
  sigprocmask(SIG_BLOCK, &mask, nullptr);
  ::signal(SIGPIPE, SIG_IGN);
  // Started with & from an interactive shell, the simulator must neither stop for the terminal
  // nor take its input: it reads commands only while it is in the foreground.
  ::signal(SIGTTIN, SIG_IGN);
  ::signal(SIGTTOU, SIG_IGN);
  return signalfd(-1, &mask, SFD_CLOEXEC);
}

Bytes LoadOrDefaultImage(const Options& o) {
  if (o.image.empty()) return sim::DefaultImage({o.mid});
  auto image = sim::LoadImage(o.image);
  if (!image) Usage(("cannot read a 32112-byte image from " + o.image).c_str());
  return *image;
}

}  // namespace

int main(int argc, char** argv) {
  Options opt = ParseArgs(argc, argv);
  sim::SimRadio radio(LoadOrDefaultImage(opt), opt.digital);
  sim::SimGenerator generator;
  sim::SimScpiServer scpi(generator);
  for (const auto& cmd : opt.commands) {
    std::string reply;
    if (sim::ApplyCommand(cmd, radio, reply) != sim::CommandResult::kOk) Usage(reply.c_str());
  }
  FrameLog log(opt.log);
  radio.setFrameLog([&log](const char* dir, const Bytes& frame) { log.Write(dir, frame); });

  const int sigFd =
      SignalFd();  // before the link and the generator's thread exist, so that no ending can leave it behind
  if (opt.generatorPort >= 0) {
    radio.generator = &generator;
    if (const std::string why = scpi.Start(opt.generatorPort); !why.empty()) {
      std::fprintf(stderr, "qzr700-sim: the generator cannot listen on 127.0.0.1:%d: %s\n", opt.generatorPort,
                   why.c_str());
      return 1;
    }
    std::printf("generator: 127.0.0.1:%d\n", scpi.port());
  }
  sim::SimLine line(opt.baud, opt.link);
  if (!line.Open()) {
    std::perror("qzr700-sim: openpty");
    return 1;
  }
  std::printf("pty: %s\n", line.path().c_str());
  std::fflush(stdout);

  StdinLines input;
  bool running = true;
  int64_t waitNs = -1;
  const bool terminal = ::isatty(0) != 0;
  while (running) {
    const bool foreground = !terminal || ::tcgetpgrp(0) == ::getpgrp();
    pollfd fds[3] = {{line.masterFd(), static_cast<short>(POLLIN | (line.blocked() ? POLLOUT : 0)), 0},
                     {sigFd, POLLIN, 0},
                     {input.open() && foreground ? 0 : -1, POLLIN, 0}};
    int timeoutMs = waitNs < 0 ? -1 : static_cast<int>(waitNs / 1'000'000 + 1);
    if (line.blocked()) timeoutMs = -1;
    if (!foreground && (timeoutMs < 0 || timeoutMs > 1000)) timeoutMs = 1000;  // until brought to the front
    if (::poll(fds, 3, timeoutMs) < 0 && errno != EINTR) break;
    if (fds[1].revents & POLLIN) running = false;
    if (fds[2].revents & (POLLIN | POLLHUP)) {
      for (const auto& cmd : input.Read()) {
        std::string reply;
        if (sim::ApplyCommand(cmd, radio, reply) == sim::CommandResult::kQuit) running = false;
        std::printf("%s\n", reply.c_str());
        std::fflush(stdout);
      }
    }
    if (fds[0].revents & POLLIN) {
      uint8_t buf[4096];
      ssize_t n = ::read(line.masterFd(), buf, sizeof buf);
      if (n > 0) line.Queue(radio.Receive(Bytes(buf, buf + n)), sim::SimLine::NowNs());
    }
    bool hungUp = false;
    waitNs = line.Flush(sim::SimLine::NowNs(), hungUp);
  }
  if (!opt.saveImage.empty() && !sim::SaveImage(opt.saveImage, radio.image())) {
    std::fprintf(stderr, "qzr700-sim: cannot write %s\n", opt.saveImage.c_str());
    return 1;
  }
  return 0;
}
