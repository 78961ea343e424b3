#pragma once
// "Align all": after a Connect (clone read and backup first), the procedures of the sequence
// one after the other, each started as an Enter on its line would start it, unattended. The
// first that fails, or is cut off, ends the run; that procedure has put back what it changed
// and the rest are not run. It follows the procedures through what they publish.

#include <cstdint>
#include <string>
#include <vector>

#include "adjust/TaskObserver.h"
#include "common/TickSource.h"
#include "console/clsConsole.h"
#include "instrument/BenchOptions.h"

namespace qxt::adjust {

enum class AlignResult { kNotRun, kRunning, kDone, kFailed };
const char* AlignResultName(AlignResult r);

struct AlignStep {
  std::string title;  // the console title, trimmed ("BPF ALL")
  int16_t item = -1;
  AlignResult result = AlignResult::kNotRun;
  std::string before, after, note;
  int32_t ms = 0;
};

class AlignAll : public TaskObserver {
 public:
  enum class Phase { kIdle, kConnecting, kStartStep, kRunning, kOver };

  explicit AlignAll(const common::TickSource& ticks) : ticks_(ticks) {}

  // The steps of titles, each the console item whose Enter starts it; none, with why, when a
  // title names no procedure or the sequence needs a signal and the bench has no generator.
  static std::vector<AlignStep> Plan(const console::clsConsole& console, const std::vector<std::string>& titles,
                                     bool generator, std::string& why);

  void Begin(std::vector<AlignStep> steps);
  // Plan and Begin: the reason when it cannot start (also when it runs already), else "".
  std::string Start(const console::clsConsole& console, const std::vector<std::string>& titles, bool generator);
  // The run ends here: the step under way (or the first) fails with why, the rest are not run.
  void Fail(const std::string& why);
  // The radio is connected: on to the first step.
  void Connected() { phase_ = Phase::kStartStep; }
  // One look at the task each pass: ready (connected, nothing under way or to put back) starts
  // the next step as an Enter on its line would; idle (the link failed, nobody connected) ends
  // the run.
  void Follow(bool ready, bool idle, console::clsConsole& console);
  // The current step's procedure has been asked to start.
  void StepStarting();
  // After a step is done: on to the next, or over.
  void Advance();

  Phase phase() const { return phase_; }
  bool running() const { return phase_ != Phase::kIdle && phase_ != Phase::kOver; }
  bool over() const { return phase_ == Phase::kOver; }
  bool succeeded() const;
  const std::vector<AlignStep>& steps() const { return steps_; }
  const AlignStep& current() const { return steps_.at(current_); }
  const std::string& why() const { return why_; }
  int32_t totalMs() const { return totalMs_; }
  // True once, when the run has come to its end.
  bool TakeOver();
  // "Align all: 4 of 4 done in 61.2 s" or "Align all stopped at RSSI: why".
  std::string Headline() const;

  // The lines of the summary: one per step, its result, values before and after, time.
  std::vector<std::string> Summary() const;
  // What the service record keeps of a run: the headline, "Instrument: ...", "Levels: ...",
  // then the summary.
  std::vector<std::string> Record(const std::string& identity, const instrument::BenchOptions& levels) const;

  void ProcedureStarted(ProcedureKind kind, const std::string& items, const std::string& values) override;
  void ProcedureEnded(ProcedureOutcome outcome, const std::string& values, const std::string& note) override;

 private:
  void End();

  const common::TickSource& ticks_;
  Phase phase_ = Phase::kIdle;
  std::vector<AlignStep> steps_;
  size_t current_ = 0;
  int32_t started_ = 0, stepStarted_ = 0, totalMs_ = 0;
  std::string why_;
  bool told_ = true;
};

}  // namespace qxt::adjust
