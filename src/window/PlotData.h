#pragma once
// What the plot panel shows, kept from what the adjustment task publishes: the procedure under
// way (or just finished) with each series of points, or else the last minutes of the group-A
// readouts as a strip chart. The panel reads it whenever revision() has moved on, so drawing
// never sits between a key press and its frame.
//
// A finished procedure's plot stays up until a newer procedure starts or kHoldMs of readouts
// have passed since it ended.

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "adjust/TaskObserver.h"
#include "record/RecordTypes.h"

namespace qxt::window {

enum class PlotKind { kReadouts, kBpfSweep, kLvaAdjust, kRssi };

struct PlotPoint {
  int16_t setting = 0, level = 0;
};

struct PlotSeries {
  std::string name;
  std::vector<PlotPoint> points;
  std::optional<int16_t> reference;  // the value before the procedure
  std::optional<int16_t> target;     // the level sought (LVA)
  std::optional<std::pair<int16_t, int16_t>> plateau;
  std::optional<int16_t> chosen;
  bool ended = false;
};

struct ReadoutSample {
  int32_t tick = 0;
  int16_t raw = 0;
};

class PlotData : public adjust::TaskObserver {
 public:
  static constexpr int32_t kStripMs = 180000;  // the strip chart's three minutes
  static constexpr int32_t kHoldMs = 30000;
  static constexpr const char* kReadoutNames[4] = {"VIN", "TEMPS", "LVIN", "SD"};

  // A procedure as the service record kept it, for its picture in a report.
  static PlotData FromRecord(const record::ProcedureRow& procedure);

  PlotKind kind() const { return kind_; }
  const std::string& title() const { return title_; }
  const std::vector<PlotSeries>& series() const { return series_; }
  // RSSI: the calibration points stored ("S3", "S1") and their levels.
  const std::vector<std::pair<std::string, int16_t>>& stored() const { return stored_; }
  std::optional<adjust::ProcedureOutcome> outcome() const { return outcome_; }
  const std::array<std::deque<ReadoutSample>, 4>& readouts() const { return readouts_; }
  int32_t lastTick() const { return lastTick_; }
  uint64_t revision() const { return revision_; }
  // The text alternative of the plot: what it shows, in a sentence or two.
  std::string Describe() const;

  void ProcedureStarted(adjust::ProcedureKind kind, const std::string& items, const std::string& values) override;
  void SeriesStarted(const std::string& series, int16_t reference, std::optional<int16_t> target) override;
  void Point(const std::string& series, int16_t setting, int16_t level) override;
  void SeriesEnded(const std::string& series, int16_t plateauFrom, int16_t plateauTo,
                   std::optional<int16_t> chosen) override;
  void PointStored(const std::string& which, int16_t level) override;
  void ProcedureEnded(adjust::ProcedureOutcome outcome, const std::string& values, const std::string& note) override;
  void Readout(int16_t index, int16_t raw, int32_t tick) override;

 private:
  PlotSeries& Series(const std::string& name);
  std::string DescribeSeries(const PlotSeries& s) const;
  std::string DescribeReadouts() const;

  PlotKind kind_ = PlotKind::kReadouts;
  std::string title_ = "Readouts";
  std::vector<PlotSeries> series_;
  std::vector<std::pair<std::string, int16_t>> stored_;
  std::optional<adjust::ProcedureOutcome> outcome_;
  std::optional<int32_t> endedAt_;
  std::array<std::deque<ReadoutSample>, 4> readouts_;
  int32_t lastTick_ = 0;
  uint64_t revision_ = 0;
};

}  // namespace qxt::window
