#pragma once
// What the adjustment task publishes while it works, for whoever keeps or shows it (the service
// record, the plot panel): the procedures with every measured point, and the group-A readouts.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qxt::adjust {

enum class ProcedureKind { kRssi, kBpfSweep, kLvaAdjust };
enum class ProcedureOutcome { kDone, kFailed, kCancelled };

const char* KindName(ProcedureKind kind);
const char* OutcomeName(ProcedureOutcome outcome);

class TaskObserver {
 public:
  virtual ~TaskObserver() = default;

  // A procedure begins on its items ("BPF T1, BPF T2") with their values before it ("80, 96").
  virtual void ProcedureStarted(ProcedureKind, const std::string& /*items*/, const std::string& /*values*/) {}
  // A series of points begins: a filter's sweep or a level adjustment. reference is the item's
  // value before the procedure; target the level sought (LVA), or nullopt.
  virtual void SeriesStarted(const std::string& /*series*/, int16_t /*reference*/, std::optional<int16_t> /*target*/) {}
  // One measured point: the setting and the level read there.
  virtual void Point(const std::string& /*series*/, int16_t /*setting*/, int16_t /*level*/) {}
  // The end of a series: the settings bounding the plateau of best level (BPF) and the setting
  // chosen, or nullopt when none could be.
  virtual void SeriesEnded(const std::string& /*series*/, int16_t /*plateauFrom*/, int16_t /*plateauTo*/,
                           std::optional<int16_t> /*chosen*/) {}
  // RSSI: a calibration point stored ("S3", "S1") and its level.
  virtual void PointStored(const std::string& /*which*/, int16_t /*level*/) {}
  virtual void ProcedureEnded(ProcedureOutcome, const std::string& /*values*/, const std::string& /*note*/) {}

  // A group-A readout (0 VIN, 1 TEMPS, 2 LVIN, 3 SD) with its raw value, at tick (ms).
  virtual void Readout(int16_t /*index*/, int16_t /*raw*/, int32_t /*tick*/) {}
};

// Hands every call on to each observer added.
class TaskObservers : public TaskObserver {
 public:
  void Add(TaskObserver* observer) { observers_.push_back(observer); }
  void Remove(TaskObserver* observer);

  void ProcedureStarted(ProcedureKind kind, const std::string& items, const std::string& values) override;
  void SeriesStarted(const std::string& series, int16_t reference, std::optional<int16_t> target) override;
  void Point(const std::string& series, int16_t setting, int16_t level) override;
  void SeriesEnded(const std::string& series, int16_t plateauFrom, int16_t plateauTo,
                   std::optional<int16_t> chosen) override;
  void PointStored(const std::string& which, int16_t level) override;
  void ProcedureEnded(ProcedureOutcome outcome, const std::string& values, const std::string& note) override;
  void Readout(int16_t index, int16_t raw, int32_t tick) override;

 private:
  std::vector<TaskObserver*> observers_;
};

}  // namespace qxt::adjust
