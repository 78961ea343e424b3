#pragma once
// The generator's exchanges run on a thread of their own, so that a slow or absent instrument
// (each exchange may take up to the time-out) never holds up the 50 ms tick that drives the
// window and the radio. The tick submits a group and asks on later ticks whether it is done;
// groups run one after the other in the order submitted.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "instrument/SignalGenerator.h"

namespace qxt::instrument {

struct GeneratorReply {
  uint64_t id = 0;
  std::string error;  // "" when done
  std::string identity;
  std::vector<std::string> sent;  // the lines that went out for this group
};

class GeneratorWorker {
 public:
  GeneratorWorker(std::unique_ptr<ScpiTransport> transport, const BenchOptions& options);
  // Turns RF off when it was turned on, then ends the thread (bounded by the time-out).
  ~GeneratorWorker();
  GeneratorWorker(const GeneratorWorker&) = delete;
  GeneratorWorker& operator=(const GeneratorWorker&) = delete;

  // Queues a group; its id identifies the reply. An empty group only connects (and asks *IDN?).
  uint64_t Submit(const GeneratorSettings& settings);
  // The replies that have come in since the last call, in order.
  std::vector<GeneratorReply> TakeReplies();
  bool busy() const;
  // Blocks until every group submitted has run or ms have passed; for an orderly close and tests.
  bool WaitIdle(int ms);
  // Whether the last group that set RF left it on.
  bool rfOn() const;

 private:
  void Run();

  std::unique_ptr<ScpiTransport> transport_;
  SignalGenerator generator_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable idle_;
  std::deque<std::pair<uint64_t, GeneratorSettings>> queue_;
  std::vector<GeneratorReply> replies_;
  uint64_t nextId_ = 1;
  bool running_ = false;  // a group is being worked on
  bool rfOn_ = false;
  bool stop_ = false;
  std::thread thread_;
};

}  // namespace qxt::instrument
