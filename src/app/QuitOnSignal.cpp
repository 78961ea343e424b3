#include "app/QuitOnSignal.h"

#include <fcntl.h>
#include <unistd.h>

#include <csignal>

namespace qxt::app {

namespace {
int g_pipe[2] = {-1, -1};
}

// Only what is safe in a signal handler: one write of the signal's number.
void QuitOnSignal::Handler(int signal) {
  const char byte = static_cast<char>(signal);
  [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &byte, 1);
}

QuitOnSignal::QuitOnSignal(std::initializer_list<int> which, std::function<void(int)> action, QObject* parent)
    : QObject(parent), action_(std::move(action)), signals_(which) {
  if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  notifier_ = std::make_unique<QSocketNotifier>(g_pipe[0], QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
    char byte = 0;
    while (::read(g_pipe[0], &byte, 1) == 1) action_(byte);
  });
  struct sigaction sa {};
  sa.sa_handler = &QuitOnSignal::Handler;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  for (int s : signals_) sigaction(s, &sa, nullptr);
}

QuitOnSignal::~QuitOnSignal() {
  for (int s : signals_) std::signal(s, SIG_DFL);
  notifier_.reset();
  for (int& fd : g_pipe) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
}

}  // namespace qxt::app
