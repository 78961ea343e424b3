#pragma once
// A small proxy on 127.0.0.1 in front of a server's Unix socket. Armed, it lets the next COMMIT
// reach the server but drops the connection instead of passing on the server's reply: the
// client cannot know whether its transaction happened.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <list>
#include <string>
#include <thread>

namespace qxt::test {

class CommitDropProxy {
 public:
  explicit CommitDropProxy(std::string socketPath) : target_(std::move(socketPath)) {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(listener_, reinterpret_cast<sockaddr*>(&a), sizeof a);
    listen(listener_, 8);
    socklen_t len = sizeof a;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&a), &len);
    port_ = ntohs(a.sin_port);
    accepter_ = std::thread([this] { Accept(); });
  }
  ~CommitDropProxy() {
    stop_ = true;
    accepter_.join();
    for (std::thread& t : pumps_) t.join();
    close(listener_);
  }

  int port() const { return port_; }
  void Arm() { armed_ = true; }
  int drops() const { return drops_; }

 private:
  void Accept() {
    while (!stop_) {
      pollfd p{listener_, POLLIN, 0};
      if (poll(&p, 1, 50) <= 0) continue;
      const int client = accept(listener_, nullptr, nullptr);
      if (client < 0) continue;
      const int server = socket(AF_UNIX, SOCK_STREAM, 0);
      sockaddr_un u{};
      u.sun_family = AF_UNIX;
      std::strncpy(u.sun_path, target_.c_str(), sizeof u.sun_path - 1);
      if (connect(server, reinterpret_cast<sockaddr*>(&u), sizeof u) != 0) {
        close(client);
        close(server);
        continue;
      }
      pumps_.emplace_back([this, client, server] { Pump(client, server); });
    }
  }

  void Pump(int client, int server) {
    char buf[65536];
    while (!stop_) {
      pollfd p[2] = {{client, POLLIN, 0}, {server, POLLIN, 0}};
      if (poll(p, 2, 50) <= 0) continue;
      const bool fromServer = (p[1].revents & (POLLIN | POLLHUP)) != 0;
      const int from = fromServer ? server : client, to = fromServer ? client : server;
      const ssize_t n = read(from, buf, sizeof buf);
      if (n <= 0) break;
      // The reply to COMMIT: a CommandComplete whose tag is "COMMIT".
      if (fromServer && armed_ && memmem(buf, static_cast<size_t>(n), "COMMIT\0", 7) != nullptr) {
        armed_ = false;
        ++drops_;
        break;
      }
      if (write(to, buf, static_cast<size_t>(n)) != n) break;
    }
    close(client);
    close(server);
  }

  std::string target_;
  int listener_ = -1, port_ = 0;
  std::atomic<bool> stop_{false}, armed_{false};
  std::atomic<int> drops_{0};
  std::thread accepter_;
  std::list<std::thread> pumps_;
};

}  // namespace qxt::test
