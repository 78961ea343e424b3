#include "sim/SimLine.h"

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace qxt::sim {

SimLine::SimLine(int baud, std::string linkPath)
    : byteNs_(baud > 0 ? 10'000'000'000LL / baud : 0), linkPath_(std::move(linkPath)) {}

SimLine::~SimLine() {
  CloseFds();
  if (!linkPath_.empty()) ::unlink(linkPath_.c_str());
}

int64_t SimLine::NowNs() {
  timespec ts{};
  ::clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<int64_t>(ts.tv_sec) * 1'000'000'000LL + ts.tv_nsec;
}

bool SimLine::Open() {
  char name[256] = {};
  if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) return false;
  for (int fd : {master_, slave_}) {
    termios t{};
    ::tcgetattr(fd, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(fd, TCSANOW, &t);
  }
  ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
  ::fcntl(master_, F_SETFD, FD_CLOEXEC);
  ::fcntl(slave_, F_SETFD, FD_CLOEXEC);
  path_ = name;
  UpdateLink();
  return true;
}

// The link is replaced atomically, so a program opening it never finds it missing.
void SimLine::UpdateLink() {
  if (linkPath_.empty()) return;
  std::string tmp = linkPath_ + ".new";
  ::unlink(tmp.c_str());
  if (::symlink(path_.c_str(), tmp.c_str()) == 0) ::rename(tmp.c_str(), linkPath_.c_str());
}

void SimLine::CloseFds() {
  if (master_ >= 0) ::close(master_);
  if (slave_ >= 0) ::close(slave_);
  master_ = slave_ = -1;
}

void SimLine::HangUp() {
  CloseFds();
  queue_.clear();
  blocked_ = false;
  if (Open()) {
    std::printf("pty: %s\n", path_.c_str());
    std::fflush(stdout);
  }
}

void SimLine::Queue(std::vector<Output> outputs, int64_t nowNs) {
  for (auto& out : outputs) {
    Pending p{std::move(out.bytes), 0, nowNs + static_cast<int64_t>(out.delayMs) * 1'000'000LL, out.echo,
              out.hangUpAfter};
    if (p.echo) {
      auto at = std::find_if(queue_.begin(), queue_.end(), [](const Pending& q) { return !q.echo && q.sent == 0; });
      queue_.insert(at, std::move(p));
    } else {
      queue_.push_back(std::move(p));
    }
  }
}

int64_t SimLine::Flush(int64_t nowNs, bool& hungUp) {
  hungUp = false;
  blocked_ = false;
  while (!queue_.empty()) {
    Pending& p = queue_.front();
    int64_t start = std::max(p.notBeforeNs, byteNs_ > 0 ? wireFreeNs_ : 0);
    if (start > nowNs) return start - nowNs;
    size_t due = p.bytes.size() - p.sent;
    if (byteNs_ > 0) due = std::min<size_t>(due, static_cast<size_t>((nowNs - start) / byteNs_) + 1);
    ssize_t n = ::write(master_, p.bytes.data() + p.sent, due);
    if (n < 0) {
      if (errno == EINTR) continue;
      blocked_ = errno == EAGAIN;
      return blocked_ ? 1'000'000 : -1;
    }
    p.sent += static_cast<size_t>(n);
    if (byteNs_ > 0) wireFreeNs_ = start + static_cast<int64_t>(n) * byteNs_;
    if (p.sent < p.bytes.size()) {
      if (static_cast<size_t>(n) < due) {
        blocked_ = true;
        return 1'000'000;
      }
      continue;
    }
    bool hang = p.hangUpAfter;
    queue_.pop_front();
    if (hang) {
      HangUp();
      hungUp = true;
      return -1;
    }
  }
  return -1;
}

}  // namespace qxt::sim
