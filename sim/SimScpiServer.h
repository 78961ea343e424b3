#pragma once
// Serves a simulated generator's SCPI on 127.0.0.1 (never another address), one line a command,
// each answer a line ending in LF, to any number of clients, on a thread of its own.

#include <string>
#include <thread>

#include "sim/SimGenerator.h"

namespace qxt::sim {

class SimScpiServer {
 public:
  explicit SimScpiServer(SimGenerator& generator) : generator_(generator) {}
  ~SimScpiServer() { Stop(); }
  SimScpiServer(const SimScpiServer&) = delete;
  SimScpiServer& operator=(const SimScpiServer&) = delete;

  // Listens on 127.0.0.1:port (0: any free port) and starts serving; "" or why not.
  std::string Start(int port);
  void Stop();
  int port() const { return port_; }

 private:
  void Serve();

  SimGenerator& generator_;
  int listenFd_ = -1;
  int stopPipe_[2] = {-1, -1};
  int port_ = 0;
  std::thread thread_;
};

}  // namespace qxt::sim
