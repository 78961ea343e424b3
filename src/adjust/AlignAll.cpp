#include "adjust/AlignAll.h"

#include <cstdio>

namespace qxt::adjust {

const char* AlignResultName(AlignResult r) {
  switch (r) {
    case AlignResult::kDone:
      return "done";
    case AlignResult::kFailed:
      return "failed";
    case AlignResult::kRunning:
      return "running";
    case AlignResult::kNotRun:
      break;
  }
  return "not run";
}

std::vector<AlignStep> AlignAll::Plan(const console::clsConsole& console, const std::vector<std::string>& titles,
                                      bool generator, std::string& why) {
  if (titles.empty()) {
    why = "Align all has no procedures to run: the option Sequence is empty.";
    return {};
  }
  std::vector<AlignStep> steps;
  bool needsSignal = false;
  for (const std::string& title : titles) {
    AlignStep step;
    step.title = title;
    for (int16_t i = 0; i < console.ListCount() && step.item < 0; ++i) {
      std::string t = console.Title(i);
      t.erase(0, t.find_first_not_of(' '));
      if (t == title && console.Event_Enter(i) >= 0) step.item = i;
    }
    if (step.item < 0) {
      why = "Align all: \"" + title + "\" is not a procedure of the console.";
      return {};
    }
    needsSignal = needsSignal || title.rfind("BPF", 0) == 0 || title == "RSSI";
    steps.push_back(step);
  }
  if (needsSignal && !generator) {
    why =
        "Align all needs a generator on the bench for the BPF sweep and the RSSI calibration: set it in Option > "
        "\"Bench generator...\".";
    return {};
  }
  return steps;
}

std::vector<std::string> AlignAll::Record(const std::string& identity, const instrument::BenchOptions& o) const {
  std::vector<std::string> lines = {Headline(), "Instrument: " + identity,
                                    "Levels: BPF " + instrument::FormatLevel(o.bpfLevel) + " dBm, RSSI S3 " +
                                        instrument::FormatLevel(o.rssiS3Level) + " dBm, S1 " +
                                        instrument::FormatLevel(o.rssiS1Level) + " dBm at the antenna; cable loss " +
                                        instrument::FormatLevel(o.cableLoss) + " dB"};
  for (std::string& line : Summary()) lines.push_back(std::move(line));
  return lines;
}

void AlignAll::Begin(std::vector<AlignStep> steps) {
  steps_ = std::move(steps);
  current_ = 0;
  why_.clear();
  started_ = ticks_.tickCount();
  totalMs_ = 0;
  told_ = false;
  phase_ = Phase::kConnecting;
}

void AlignAll::End() {
  totalMs_ = ticks_.tickCount() - started_;
  phase_ = Phase::kOver;
}

void AlignAll::Fail(const std::string& why) {
  if (!running()) return;
  why_ = why;
  if (current_ < steps_.size()) {
    AlignStep& step = steps_[current_];
    step.result = AlignResult::kFailed;
    if (step.note.empty()) step.note = why;
    if (phase_ == Phase::kRunning) step.ms = ticks_.tickCount() - stepStarted_;
  }
  End();
}

void AlignAll::StepStarting() {
  steps_[current_].result = AlignResult::kRunning;
  stepStarted_ = ticks_.tickCount();
  phase_ = Phase::kRunning;
}

void AlignAll::Advance() {
  if (++current_ < steps_.size()) {
    phase_ = Phase::kStartStep;
  } else {
    End();
  }
}

bool AlignAll::succeeded() const {
  if (!over() || steps_.empty()) return false;
  for (const AlignStep& s : steps_) {
    if (s.result != AlignResult::kDone) return false;
  }
  return true;
}

bool AlignAll::TakeOver() {
  if (!over() || told_) return false;
  told_ = true;
  return true;
}

std::string AlignAll::Headline() const {
  size_t done = 0;
  for (const AlignStep& s : steps_) done += s.result == AlignResult::kDone ? 1 : 0;
  char time[32];
  std::snprintf(time, sizeof time, "%.1f s", totalMs_ / 1000.0);
  if (succeeded())
    return "Align all: " + std::to_string(done) + " of " + std::to_string(steps_.size()) + " done in " + time + ".";
  const std::string where = current_ < steps_.size() ? " at " + steps_[current_].title : "";
  return "Align all stopped" + where + ": " + why_ + " (" + std::to_string(done) + " of " +
         std::to_string(steps_.size()) + " done, " + time + ").";
}

void AlignAll::ProcedureStarted(ProcedureKind, const std::string&, const std::string& values) {
  if (phase_ == Phase::kRunning) steps_[current_].before = values;
}

void AlignAll::ProcedureEnded(ProcedureOutcome outcome, const std::string& values, const std::string& note) {
  if (phase_ != Phase::kRunning) return;
  AlignStep& step = steps_[current_];
  step.after = values;
  step.note = note;
  step.ms = ticks_.tickCount() - stepStarted_;
  if (outcome == ProcedureOutcome::kDone) {
    step.result = AlignResult::kDone;
    Advance();
    return;
  }
  Fail(outcome == ProcedureOutcome::kCancelled ? "cut off: " + note : note);
}

std::vector<std::string> AlignAll::Summary() const {
  std::vector<std::string> lines;
  for (const AlignStep& s : steps_) {
    char time[32];
    std::snprintf(time, sizeof time, "%.1f s", s.ms / 1000.0);
    std::string line = s.title + ": " + AlignResultName(s.result);
    if (s.result != AlignResult::kNotRun) {
      line += ", " + (s.before.empty() ? std::string("-") : s.before) + " -> " +
              (s.after.empty() ? std::string("-") : s.after) + ", " + time;
    }
    if (!s.note.empty()) line += " (" + s.note + ")";
    lines.push_back(line);
  }
  return lines;
}

void AlignAll::Follow(bool ready, bool idle, console::clsConsole& console) {
  switch (phase_) {
    case Phase::kConnecting:
      if (idle) Fail("the radio was not connected");
      if (ready) Connected();
      break;
    case Phase::kStartStep:
      if (!ready) break;
      console.flgEnterOn(current().item, true);
      StepStarting();
      break;
    case Phase::kRunning:
      if (idle) Fail("the link to the radio failed");
      break;
    default:
      break;
  }
}

std::string AlignAll::Start(const console::clsConsole& console, const std::vector<std::string>& titles,
                            bool generator) {
  if (running()) return "Align all is already running.";
  std::string why;
  auto steps = Plan(console, titles, generator, why);
  if (steps.empty()) return why;
  Begin(std::move(steps));
  return "";
}

}  // namespace qxt::adjust
