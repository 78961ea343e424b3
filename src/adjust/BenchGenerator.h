#pragma once
// The bench generator as the procedures use it, one step per tick: a group of settings is
// handed to the generator's own thread on the first call and looked for on later ones; after a
// group that changed the signal the settle time runs on the tick count before a reading. Every
// line sent goes into the service record with the instrument's identity; a failure of a group
// that nobody waits for (RF off after a procedure) becomes a notice.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "common/TickSource.h"
#include "common/clsCmcTick.h"
#include "instrument/BenchOptions.h"
#include "instrument/GeneratorWorker.h"

namespace qxt::adjust {

class SessionLog;

class BenchGenerator {
 public:
  enum class Progress { kPending, kDone, kFailed };

  BenchGenerator(const common::TickSource& ticks, SessionLog& keeper, std::function<void(const std::string&)> notice);
  ~BenchGenerator();
  BenchGenerator(const BenchGenerator&) = delete;
  BenchGenerator& operator=(const BenchGenerator&) = delete;

  // New options; a generator in use before turns RF off and is let go. Empty Generator: none.
  void Configure(const instrument::BenchOptions& options);
  bool configured() const { return worker_ != nullptr; }
  const instrument::BenchOptions& options() const { return options_; }

  // One group over as many calls as it takes (isFirst submits it), then the settle time when
  // the group turned RF on or changed frequency or level. kFailed: error() says why.
  Progress Apply(const instrument::GeneratorSettings& settings, bool isFirst);
  // RF off without waiting (queued behind whatever runs); nothing when RF is known to be off.
  void RfOff();
  // Each tick: records the lines sent, reports failures nobody waits for.
  void Poll();
  // Blocks until the generator has nothing left to do or ms have passed (a close, tests).
  bool WaitIdle(int ms);
  // RF off and the generator let go, waiting for both (an orderly close).
  void Shutdown();

  const std::string& error() const { return error_; }
  // What the procedures have waited for the generator's answers so far (ms on the tick count),
  // and how many groups that was; the settle times are not in it.
  int64_t waitedMs() const { return waitedMs_; }
  int groups() const { return groups_; }
  // "RESOURCE (IDN)" once the instrument has answered, else the resource.
  std::string Identity() const;

 private:
  void Take(const instrument::GeneratorReply& reply);

  const common::TickSource& ticks_;
  SessionLog& keeper_;
  std::function<void(const std::string&)> notice_;
  instrument::BenchOptions options_;
  std::unique_ptr<instrument::GeneratorWorker> worker_;
  common::clsCmcTick settle_;
  uint64_t awaited_ = 0;
  int32_t submittedAt_ = 0;
  int64_t waitedMs_ = 0;
  int groups_ = 0;
  bool awaitedDone_ = false;
  bool settling_ = false;
  bool offQueued_ = false;  // RF off is the last group submitted
  std::string error_;
  std::string identity_;
};

}  // namespace qxt::adjust
