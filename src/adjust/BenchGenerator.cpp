#include "adjust/BenchGenerator.h"

#include "adjust/SessionLog.h"
#include "instrument/LxiTransport.h"

namespace qxt::adjust {

BenchGenerator::BenchGenerator(const common::TickSource& ticks, SessionLog& keeper,
                               std::function<void(const std::string&)> notice)
    : ticks_(ticks), keeper_(keeper), notice_(std::move(notice)), settle_(ticks) {}

BenchGenerator::~BenchGenerator() { Shutdown(); }

void BenchGenerator::Configure(const instrument::BenchOptions& options) {
  Shutdown();
  options_ = options;
  identity_.clear();
  if (options_.configured()) {
    worker_ = std::make_unique<instrument::GeneratorWorker>(std::make_unique<instrument::LxiTransport>(), options_);
  }
}

std::string BenchGenerator::Identity() const {
  return identity_.empty() ? options_.generator : options_.generator + " (" + identity_ + ")";
}

void BenchGenerator::Take(const instrument::GeneratorReply& reply) {
  if (!reply.identity.empty()) identity_ = reply.identity;
  for (const std::string& line : reply.sent) keeper_.Message("instrument", Identity() + ": " + line);
  if (reply.id == awaited_) {
    awaitedDone_ = true;
    waitedMs_ += ticks_.tickCount() - submittedAt_;
    ++groups_;
    error_ = reply.error;
    if (!error_.empty()) keeper_.Message("instrument", error_);
  } else if (!reply.error.empty() && reply.error != error_) {  // the same trouble is told once
    notice_(reply.error);
  }
}

void BenchGenerator::Poll() {
  if (!worker_) return;
  for (const auto& reply : worker_->TakeReplies()) Take(reply);
}

BenchGenerator::Progress BenchGenerator::Apply(const instrument::GeneratorSettings& settings, bool isFirst) {
  if (!worker_) return Progress::kDone;
  if (isFirst) {
    error_.clear();
    awaitedDone_ = settling_ = offQueued_ = false;
    awaited_ = worker_->Submit(settings);
    submittedAt_ = ticks_.tickCount();
    return Progress::kPending;
  }
  Poll();
  if (!awaitedDone_) return Progress::kPending;
  if (!error_.empty()) return Progress::kFailed;
  const bool changed = settings.frequencyHz || settings.antennaDbm || (settings.rfOn && *settings.rfOn);
  if (changed && !settling_) {
    settle_.counter(options_.settleMs);
    settling_ = true;
  }
  return settling_ && settle_.counter() > 0 ? Progress::kPending : Progress::kDone;
}

void BenchGenerator::RfOff() {
  // A group still under way may be the one that turns RF on.
  if (!worker_ || offQueued_ || !(worker_->busy() || worker_->rfOn())) return;
  worker_->Submit({std::nullopt, std::nullopt, false});
  offQueued_ = true;
}

bool BenchGenerator::WaitIdle(int ms) { return !worker_ || worker_->WaitIdle(ms); }

void BenchGenerator::Shutdown() {
  if (!worker_) return;
  RfOff();
  worker_->WaitIdle(3 * options_.timeoutMs + 500);
  Poll();
  worker_.reset();
}

}  // namespace qxt::adjust
