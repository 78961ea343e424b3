#include "adjust/ProcedureSteps.h"

namespace qxt::adjust {

bool ProcedureSteps::Next(ActState state) {
  state_ = state;
  readFirst_ = true;
  counter_ = 0;
  return true;
}

bool ProcedureSteps::Finish() {
  Next(ActState::kNone);
  ctx_.Generator().RfOff();
  ctx_.Beep();
  return true;
}

bool ProcedureSteps::ReadA(int16_t index) {
  const bool done = ctx_.ReadA(index, readFirst_);
  readFirst_ = false;
  return done;
}

bool ProcedureSteps::Signal(const instrument::GeneratorSettings& settings, std::string& error) {
  const bool first = counter_ == 0;
  counter_ = 1;
  const BenchGenerator::Progress p = ctx_.Generator().Apply(settings, first);
  if (p == BenchGenerator::Progress::kFailed) error = ctx_.Generator().error();
  return p != BenchGenerator::Progress::kPending;
}

std::string ProcedureSteps::Names(const Selection& sel, int16_t first) const {
  std::string names;
  ForEachSelected(sel, first, [&](int16_t, int16_t item) {
    std::string title = ctx_.Console().Title(item);
    title.erase(0, title.find_first_not_of(' '));
    names += (names.empty() ? "" : ", ") + title;
  });
  return names;
}

std::string ProcedureSteps::Values(const Selection& sel, int16_t first) const {
  std::string values;
  ForEachSelected(sel, first, [&](int16_t, int16_t item) {
    values += (values.empty() ? "" : ", ") + std::to_string(ctx_.Console().Value(item));
  });
  return values;
}

}  // namespace qxt::adjust
