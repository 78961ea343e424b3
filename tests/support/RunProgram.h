#pragma once
// Programs run as a user runs them from a shell: a child with pipes on its standard input,
// output and error, its environment changed for the run (a variable set to "" is removed).
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace qxt::test {

class ChildProcess {
 public:
  ChildProcess(const std::string& binary, std::vector<std::string> args,
               const std::map<std::string, std::string>& env = {}) {
    int in[2], out[2], err[2];
    if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(in[0], 0);
      ::dup2(out[1], 1);
      ::dup2(err[1], 2);
      for (const auto& [name, value] : env)
        value.empty() ? ::unsetenv(name.c_str()) : ::setenv(name.c_str(), value.c_str(), 1);
      std::vector<char*> argv{const_cast<char*>(binary.c_str())};
      for (auto& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      ::execv(binary.c_str(), argv.data());
      ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    ::close(err[1]);
    ::signal(SIGPIPE, SIG_IGN);  // input to a child that has ended fails with EPIPE, not ending the test
    in_ = in[1];
    fds_[0] = {out[0], POLLIN, 0};
    fds_[1] = {err[0], POLLIN, 0};
  }
  ~ChildProcess() {
    CloseInput();
    if (pid_ > 0 && ::waitpid(pid_, nullptr, WNOHANG) == 0) ::kill(pid_, SIGKILL);
    Wait();
    for (auto& p : fds_) {
      if (p.fd >= 0) ::close(p.fd);
    }
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t pid() const { return pid_; }
  void Write(const std::string& text) { (void)!::write(in_, text.data(), text.size()); }
  void CloseInput() {
    if (in_ >= 0) ::close(in_);
    in_ = -1;
  }
  // Takes what the child wrote within timeoutMs; false once both its outputs are closed.
  bool Pump(int timeoutMs) {
    if (fds_[0].fd < 0 && fds_[1].fd < 0) return false;
    if (::poll(fds_, 2, timeoutMs) <= 0) return true;
    std::string* sinks[2] = {&out, &err};
    for (int i = 0; i < 2; ++i) {
      if (fds_[i].fd < 0 || (fds_[i].revents & (POLLIN | POLLHUP)) == 0) continue;
      char buf[4096];
      const ssize_t n = ::read(fds_[i].fd, buf, sizeof buf);
      if (n > 0) {
        sinks[i]->append(buf, static_cast<size_t>(n));
      } else {
        ::close(fds_[i].fd);
        fds_[i].fd = -1;
      }
    }
    return true;
  }
  // The exit status once it has ended (waiting for it), -1 when it did not exit by itself.
  int Wait() {
    if (pid_ > 0) {
      ::waitpid(pid_, &status_, 0);
      pid_ = -1;
    }
    return WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
  }

  std::string out, err;

 private:
  pid_t pid_ = -1;
  int in_ = -1;
  int status_ = -1;
  pollfd fds_[2] = {{-1, POLLIN, 0}, {-1, POLLIN, 0}};
};

struct ProgramRun {
  int exitStatus = -1;
  std::string out, err;
};

// A signal sent once a condition holds (looked at every 100 ms).
struct SignalWhen {
  std::function<bool()> condition;
  int signal = SIGTERM;
};

// Runs a program to its end; one that hangs for two minutes without a word fails its test.
inline ProgramRun RunProgram(const std::string& binary, std::vector<std::string> args,
                             const std::map<std::string, std::string>& env = {}, SignalWhen when = {}) {
  ChildProcess child(binary, std::move(args), env);
  child.CloseInput();
  bool signalled = false;
  for (int quiet = 0; quiet < 120000 && child.Pump(100); quiet += 100) {
    if (!signalled && when.condition && when.condition()) signalled = ::kill(child.pid(), when.signal) == 0;
  }
  return {child.Wait(), child.out, child.err};
}

}  // namespace qxt::test
