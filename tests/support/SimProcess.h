#pragma once
// qzr700-sim started as a child process: its pseudo-terminal path, commands on its standard
// input, and a clean stop.
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "support/RunProgram.h"

#ifndef QZR700_SIM_PATH
#error "QZR700_SIM_PATH must name the simulator binary"
#endif

namespace qxt::test {

class SimProcess {
 public:
  explicit SimProcess(std::vector<std::string> args = {})
      : child_(std::make_unique<ChildProcess>(Binary(), std::move(args))) {
    WaitForPty();
  }
  ~SimProcess() { Stop(); }

  const std::string& path() const { return path_; }
  // With --generator: the port its simulated generator listens on at 127.0.0.1.
  int generatorPort() const { return generatorPort_; }

  // Sends one command and returns the simulator's one-line reply.
  std::string Command(const std::string& line) {
    child_->Write(line + "\n");
    for (;;) {  // a line that announces a new pseudo-terminal is not the reply
      std::string reply = ReadLine(5000);
      if (reply.rfind("pty: ", 0) != 0) return reply;
      path_ = reply.substr(5);
    }
  }

  // After a hang-up the simulator opens a new pseudo-terminal and prints its path.
  std::string WaitForPty(int timeoutMs = 10000) {
    std::string line = ReadLine(timeoutMs);
    if (line.rfind("generator: 127.0.0.1:", 0) == 0) {
      generatorPort_ = std::atoi(line.c_str() + 21);
      line = ReadLine(timeoutMs);
    }
    if (line.rfind("pty: ", 0) != 0) return {};
    return path_ = line.substr(5);
  }

  // Ends the simulator the way a user would.
  void Stop() {
    if (!child_) return;
    child_->Write("quit\n");
    child_->CloseInput();
    for (int i = 0; i < 500 && child_->Pump(10);) ++i;
    child_.reset();
  }

  void Signal(int sig) { ::kill(child_->pid(), sig); }

  static const char* Binary() { return QZR700_SIM_PATH; }

 private:
  std::string ReadLine(int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (size_t nl; (nl = child_->out.find('\n')) == std::string::npos;) {
      if (std::chrono::steady_clock::now() > deadline || !child_->Pump(20)) return {};
    }
    const size_t nl = child_->out.find('\n');
    std::string line = child_->out.substr(0, nl);
    child_->out.erase(0, nl + 1);
    return line;
  }

  std::unique_ptr<ChildProcess> child_;
  std::string path_;
  int generatorPort_ = 0;
};

}  // namespace qxt::test
