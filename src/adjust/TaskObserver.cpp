#include "adjust/TaskObserver.h"

#include <algorithm>

namespace qxt::adjust {

const char* KindName(ProcedureKind kind) {
  switch (kind) {
    case ProcedureKind::kRssi:
      return "RSSI calibration";
    case ProcedureKind::kBpfSweep:
      return "BPF sweep";
    case ProcedureKind::kLvaAdjust:
      return "LVA adjustment";
  }
  return "";
}

const char* OutcomeName(ProcedureOutcome outcome) {
  switch (outcome) {
    case ProcedureOutcome::kDone:
      return "done";
    case ProcedureOutcome::kFailed:
      return "failed";
    case ProcedureOutcome::kCancelled:
      return "cancelled";
  }
  return "";
}

void TaskObservers::Remove(TaskObserver* observer) { std::erase(observers_, observer); }

void TaskObservers::ProcedureStarted(ProcedureKind kind, const std::string& items, const std::string& values) {
  for (auto* o : observers_) o->ProcedureStarted(kind, items, values);
}

void TaskObservers::SeriesStarted(const std::string& series, int16_t reference, std::optional<int16_t> target) {
  for (auto* o : observers_) o->SeriesStarted(series, reference, target);
}

void TaskObservers::Point(const std::string& series, int16_t setting, int16_t level) {
  for (auto* o : observers_) o->Point(series, setting, level);
}

void TaskObservers::SeriesEnded(const std::string& series, int16_t plateauFrom, int16_t plateauTo,
                                std::optional<int16_t> chosen) {
  for (auto* o : observers_) o->SeriesEnded(series, plateauFrom, plateauTo, chosen);
}

void TaskObservers::PointStored(const std::string& which, int16_t level) {
  for (auto* o : observers_) o->PointStored(which, level);
}

void TaskObservers::ProcedureEnded(ProcedureOutcome outcome, const std::string& values, const std::string& note) {
  for (auto* o : observers_) o->ProcedureEnded(outcome, values, note);
}

void TaskObservers::Readout(int16_t index, int16_t raw, int32_t tick) {
  for (auto* o : observers_) o->Readout(index, raw, tick);
}

}  // namespace qxt::adjust
