#pragma once
// qzr700-sim started as a child process: its pseudo-terminal path, commands on its standard
// input, and a clean stop.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#ifndef QZR700_SIM_PATH
#error "QZR700_SIM_PATH must name the simulator binary"
#endif

namespace qxt::test {

class SimProcess {
 public:
  explicit SimProcess(std::vector<std::string> args = {}) {
    int in[2], out[2];
    if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(in[0], 0);
      ::dup2(out[1], 1);
      const char* binary = Binary();
      std::vector<char*> argv{const_cast<char*>(binary)};
      for (auto& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      ::execv(binary, argv.data());
      ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    stdin_ = in[1];
    stdout_ = out[0];
    path_ = WaitForPty();
  }
  ~SimProcess() { Stop(); }
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  const std::string& path() const { return path_; }

  // Sends one command and returns the simulator's one-line reply.
  std::string Command(const std::string& line) {
    std::string text = line + "\n";
    if (::write(stdin_, text.data(), text.size()) < 0) return {};
    for (;;) {  // a line that announces a new pseudo-terminal is not the reply
      std::string line = ReadLine(5000);
      if (line.rfind("pty: ", 0) != 0) return line;
      path_ = line.substr(5);
    }
  }

  // After a hang-up the simulator opens a new pseudo-terminal and prints its path.
  std::string WaitForPty(int timeoutMs = 10000) {
    std::string line = ReadLine(timeoutMs);
    if (line.rfind("pty: ", 0) == 0) path_ = line.substr(5);
    return line.rfind("pty: ", 0) == 0 ? line.substr(5) : std::string();
  }

  // Ends the simulator the way a user would; returns its exit status.
  int Stop() {
    if (pid_ <= 0) return -1;
    if (stdin_ >= 0) {
      (void)!::write(stdin_, "quit\n", 5);
      ::close(stdin_);
      stdin_ = -1;
    }
    int status = 0;
    for (int i = 0; i < 500 && ::waitpid(pid_, &status, WNOHANG) == 0; ++i) ::usleep(10000);
    if (::waitpid(pid_, &status, WNOHANG) == 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, &status, 0);
    }
    pid_ = -1;
    if (stdout_ >= 0) ::close(stdout_);
    stdout_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  void Signal(int sig) { ::kill(pid_, sig); }

  // The simulator binary: the build's own, unless QZR700_SIM_BINARY names a copy (a test that
  // runs as another user cannot always reach the build folder).
  static const char* Binary() {
    const char* copy = std::getenv("QZR700_SIM_BINARY");
    return copy != nullptr ? copy : QZR700_SIM_PATH;
  }

 private:
  std::string ReadLine(int timeoutMs) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
      size_t nl = buffer_.find('\n');
      if (nl != std::string::npos) {
        std::string line = buffer_.substr(0, nl);
        buffer_.erase(0, nl + 1);
        return line;
      }
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) return {};
      pollfd p{stdout_, POLLIN, 0};
      if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
      char buf[512];
      ssize_t n = ::read(stdout_, buf, sizeof buf);
      if (n <= 0) return {};
      buffer_.append(buf, static_cast<size_t>(n));
    }
  }

  pid_t pid_ = -1;
  int stdin_ = -1;
  int stdout_ = -1;
  std::string path_;
  std::string buffer_;
};

}  // namespace qxt::test
