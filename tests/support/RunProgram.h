#pragma once
// Runs a program to its end, as a user would from a shell: its exit status, standard output and
// standard error. The environment can be changed for the run (a variable set to "" is removed).
// A signal can be sent to it once a condition holds (looked at every 100 ms).
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

struct ProgramRun {
  int exitStatus = -1;
  std::string out, err;
};

struct SignalWhen {
  std::function<bool()> condition;
  int signal = SIGTERM;
};

inline ProgramRun RunProgram(const std::string& binary, std::vector<std::string> args,
                             const std::map<std::string, std::string>& env = {}, SignalWhen when = {}) {
  ProgramRun run;
  int out[2], err[2];
  if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) return run;
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(out[1], 1);
    ::dup2(err[1], 2);
    for (const auto& [name, value] : env) {
      if (value.empty()) {
        ::unsetenv(name.c_str());
      } else {
        ::setenv(name.c_str(), value.c_str(), 1);
      }
    }
    std::vector<char*> argv{const_cast<char*>(binary.c_str())};
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    ::execv(binary.c_str(), argv.data());
    ::_exit(127);
  }
  ::close(out[1]);
  ::close(err[1]);
  pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
  std::string* sinks[2] = {&run.out, &run.err};
  bool signalled = false;
  for (int open = 2, waited = 0; open > 0 && waited < 120000;) {  // a program that hangs fails its test
    const int ready = ::poll(fds, 2, 100);
    waited = ready > 0 ? 0 : waited + 100;
    if (!signalled && when.condition && when.condition()) {
      ::kill(pid, when.signal);
      signalled = true;
    }
    if (ready <= 0) continue;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || (fds[i].revents & (POLLIN | POLLHUP)) == 0) continue;
      char buf[4096];
      const ssize_t n = ::read(fds[i].fd, buf, sizeof buf);
      if (n > 0) {
        sinks[i]->append(buf, static_cast<size_t>(n));
      } else {
        ::close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      }
    }
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace qxt::test
