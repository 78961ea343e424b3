#include "instrument/GeneratorWorker.h"

#include <chrono>

namespace qxt::instrument {

GeneratorWorker::GeneratorWorker(std::unique_ptr<ScpiTransport> transport, const BenchOptions& options)
    : transport_(std::move(transport)), generator_(*transport_, options), thread_([this] { Run(); }) {}

GeneratorWorker::~GeneratorWorker() {
  if (rfOn()) Submit({std::nullopt, std::nullopt, false});
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  thread_.join();
}

uint64_t GeneratorWorker::Submit(const GeneratorSettings& settings) {
  uint64_t id = 0;
  {
    std::lock_guard lock(mutex_);
    id = nextId_++;
    queue_.emplace_back(id, settings);
  }
  wake_.notify_all();
  return id;
}

std::vector<GeneratorReply> GeneratorWorker::TakeReplies() {
  std::lock_guard lock(mutex_);
  std::vector<GeneratorReply> out;
  out.swap(replies_);
  return out;
}

bool GeneratorWorker::busy() const {
  std::lock_guard lock(mutex_);
  return running_ || !queue_.empty();
}

bool GeneratorWorker::rfOn() const {
  std::lock_guard lock(mutex_);
  return rfOn_;
}

bool GeneratorWorker::WaitIdle(int ms) {
  std::unique_lock lock(mutex_);
  return idle_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return !running_ && queue_.empty(); });
}

// What is queued at the stop still runs: that is how RF goes off at a close.
void GeneratorWorker::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return stop_ || !queue_.empty(); });
    if (queue_.empty()) return;
    auto [id, settings] = queue_.front();
    queue_.pop_front();
    running_ = true;
    lock.unlock();
    GeneratorReply reply;
    reply.id = id;
    reply.error = generator_.Apply(settings);
    reply.identity = generator_.identity();
    reply.sent = generator_.TakeSent();
    lock.lock();
    // After a failed group RF may be on all the same: it is turned off again at the end.
    if (settings.rfOn) rfOn_ = reply.error.empty() ? *settings.rfOn : (rfOn_ || *settings.rfOn);
    replies_.push_back(std::move(reply));
    running_ = false;
    if (queue_.empty()) idle_.notify_all();
  }
}

}  // namespace qxt::instrument
