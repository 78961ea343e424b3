#include "sim/SimScpiServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <deque>
#include <map>
#include <vector>

namespace qxt::sim {

std::string SimScpiServer::Start(int port) {
  listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listenFd_ < 0) return std::strerror(errno);
  const int yes = 1;
  ::setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = htons(static_cast<uint16_t>(port));
  socklen_t len = sizeof addr;
  if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(listenFd_, 8) != 0 ||
      ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &len) != 0 || ::pipe(stopPipe_) != 0) {
    const std::string why = std::strerror(errno);
    ::close(listenFd_);
    listenFd_ = -1;
    return why;
  }
  port_ = ntohs(addr.sin_port);
  thread_ = std::thread([this] { Serve(); });
  return "";
}

void SimScpiServer::Stop() {
  if (!thread_.joinable()) return;
  const char byte = 'q';
  if (::write(stopPipe_[1], &byte, 1) != 1) return;
  thread_.join();
  for (int fd : {listenFd_, stopPipe_[0], stopPipe_[1]}) ::close(fd);
  listenFd_ = -1;
}

namespace {

using Clock = std::chrono::steady_clock;

struct Client {
  std::string pending;                                            // bytes of an unfinished line
  std::deque<std::pair<Clock::time_point, std::string>> answers;  // due, text
};

}  // namespace

// A slow instrument answers late; the others it serves meanwhile are not held up.
void SimScpiServer::Serve() {
  std::map<int, Client> clients;
  for (;;) {
    std::vector<pollfd> fds = {{stopPipe_[0], POLLIN, 0}, {listenFd_, POLLIN, 0}};
    int timeoutMs = -1;
    const auto now = Clock::now();
    for (auto& [fd, c] : clients) {
      fds.push_back({fd, POLLIN, 0});
      if (c.answers.empty()) continue;
      const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(c.answers.front().first - now).count();
      const int ms = static_cast<int>(std::max<int64_t>(0, wait) + 1);
      timeoutMs = timeoutMs < 0 ? ms : std::min(timeoutMs, ms);
    }
    if (::poll(fds.data(), fds.size(), timeoutMs) < 0 && errno != EINTR) break;
    if (fds[0].revents != 0) break;
    if (fds[1].revents & POLLIN) {
      const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
      if (fd >= 0) clients[fd];
    }
    for (size_t i = 2; i < fds.size(); ++i) {
      if (fds[i].revents == 0) continue;
      Client& c = clients[fds[i].fd];
      char buf[4096];
      const ssize_t n = ::read(fds[i].fd, buf, sizeof buf);
      if (n <= 0) {
        ::close(fds[i].fd);
        clients.erase(fds[i].fd);
        continue;
      }
      c.pending.append(buf, static_cast<size_t>(n));
      for (size_t nl; (nl = c.pending.find('\n')) != std::string::npos; c.pending.erase(0, nl + 1)) {
        const std::string answer = generator_.Handle(c.pending.substr(0, nl));
        if (answer.empty()) continue;
        const auto due = Clock::now() + std::chrono::milliseconds(generator_.replyDelayMs());
        c.answers.emplace_back(due, answer + "\n");
      }
      if (c.pending.size() > 65536) c.pending.clear();
    }
    for (auto& [fd, c] : clients) {
      while (!c.answers.empty() && c.answers.front().first <= Clock::now()) {
        const std::string& out = c.answers.front().second;
        if (::send(fd, out.data(), out.size(), MSG_NOSIGNAL) < 0)
          c.answers.clear();
        else
          c.answers.pop_front();
      }
    }
  }
  for (const auto& c : clients) ::close(c.first);
}

}  // namespace qxt::sim
