#include "window/PlotData.h"

#include <algorithm>

namespace qxt::window {

namespace {

PlotKind KindOf(adjust::ProcedureKind kind) {
  switch (kind) {
    case adjust::ProcedureKind::kBpfSweep:
      return PlotKind::kBpfSweep;
    case adjust::ProcedureKind::kLvaAdjust:
      return PlotKind::kLvaAdjust;
    case adjust::ProcedureKind::kRssi:
      break;
  }
  return PlotKind::kRssi;
}

std::optional<int16_t> Narrow(const std::optional<int32_t>& v) {
  return v ? std::optional<int16_t>(static_cast<int16_t>(*v)) : std::nullopt;
}

}  // namespace

PlotData PlotData::FromRecord(const record::ProcedureRow& procedure) {
  PlotData plot;
  const adjust::ProcedureKind kinds[] = {adjust::ProcedureKind::kBpfSweep, adjust::ProcedureKind::kLvaAdjust,
                                         adjust::ProcedureKind::kRssi};
  for (adjust::ProcedureKind k : kinds) {
    if (procedure.kind == adjust::KindName(k)) plot.ProcedureStarted(k, procedure.items, procedure.startValues);
  }
  for (const record::SeriesRow& s : procedure.series) {
    PlotSeries& series = plot.Series(s.name);
    series.reference = Narrow(s.reference);
    series.target = Narrow(s.target);
  }
  for (const record::PointRow& p : procedure.points) {
    if (p.setting < 0) {
      plot.stored_.emplace_back(p.series, static_cast<int16_t>(p.level));
    } else {
      plot.Series(p.series).points.push_back({static_cast<int16_t>(p.setting), static_cast<int16_t>(p.level)});
    }
  }
  for (const record::SeriesRow& s : procedure.series) {
    if (!s.ended) continue;
    PlotSeries& series = plot.Series(s.name);
    if (s.plateauFrom && s.plateauTo) series.plateau = {*s.plateauFrom, *s.plateauTo};
    series.chosen = Narrow(s.chosen);
    series.ended = true;
  }
  for (adjust::ProcedureOutcome o :
       {adjust::ProcedureOutcome::kDone, adjust::ProcedureOutcome::kFailed, adjust::ProcedureOutcome::kCancelled}) {
    if (procedure.outcome == adjust::OutcomeName(o)) plot.outcome_ = o;
  }
  return plot;
}

PlotSeries& PlotData::Series(const std::string& name) {
  for (PlotSeries& s : series_) {
    if (s.name == name && !s.ended) return s;
  }
  series_.push_back({name, {}, std::nullopt, std::nullopt, std::nullopt, std::nullopt, false});
  return series_.back();
}

void PlotData::ProcedureStarted(adjust::ProcedureKind kind, const std::string& items, const std::string&) {
  kind_ = KindOf(kind);
  title_ = std::string(adjust::KindName(kind)) + ": " + items;
  series_.clear();
  stored_.clear();
  outcome_.reset();
  endedAt_.reset();
  ++revision_;
}

void PlotData::SeriesStarted(const std::string& series, int16_t reference, std::optional<int16_t> target) {
  PlotSeries& s = Series(series);
  s.reference = reference;
  s.target = target;
  ++revision_;
}

void PlotData::Point(const std::string& series, int16_t setting, int16_t level) {
  Series(series).points.push_back({setting, level});
  ++revision_;
}

void PlotData::SeriesEnded(const std::string& series, int16_t plateauFrom, int16_t plateauTo,
                           std::optional<int16_t> chosen) {
  PlotSeries& s = Series(series);
  s.plateau = {plateauFrom, plateauTo};
  s.chosen = chosen;
  s.ended = true;
  ++revision_;
}

void PlotData::PointStored(const std::string& which, int16_t level) {
  stored_.emplace_back(which, level);
  ++revision_;
}

void PlotData::ProcedureEnded(adjust::ProcedureOutcome outcome, const std::string&, const std::string&) {
  outcome_ = outcome;
  endedAt_ = lastTick_;
  ++revision_;
}

void PlotData::Readout(int16_t index, int16_t raw, int32_t tick) {
  if (index < 0 || index >= 4) return;
  lastTick_ = tick;
  auto& strip = readouts_[static_cast<size_t>(index)];
  strip.push_back({tick, raw});
  while (!strip.empty() && tick - strip.front().tick > kStripMs) strip.pop_front();
  if (kind_ != PlotKind::kReadouts && endedAt_ && tick - *endedAt_ >= kHoldMs) {
    kind_ = PlotKind::kReadouts;
    title_ = "Readouts";
    endedAt_.reset();
  }
  if (kind_ == PlotKind::kReadouts) ++revision_;
}

std::string PlotData::DescribeSeries(const PlotSeries& s) const {
  std::string text = s.name + ": " + std::to_string(s.points.size()) + " points";
  if (s.reference) text += ", before " + std::to_string(*s.reference);
  if (s.target) text += ", target level " + std::to_string(*s.target);
  if (s.plateau && kind_ == PlotKind::kBpfSweep) {
    text += ", plateau " + std::to_string(s.plateau->first) + " to " + std::to_string(s.plateau->second);
  }
  if (s.ended) text += s.chosen ? ", set to " + std::to_string(*s.chosen) : ", no setting chosen";
  return text;
}

std::string PlotData::DescribeReadouts() const {
  std::string text = "Readouts of the last minutes:";
  bool any = false;
  for (size_t i = 0; i < readouts_.size(); ++i) {
    if (readouts_[i].empty()) continue;
    text += std::string(any ? "," : "") + " " + kReadoutNames[i] + " " + std::to_string(readouts_[i].back().raw) +
            " (" + std::to_string(readouts_[i].size()) + " points)";
    any = true;
  }
  return any ? text + "." : "No readouts yet.";
}

std::string PlotData::Describe() const {
  if (kind_ == PlotKind::kReadouts) return DescribeReadouts();
  std::string text = title_ + (outcome_ ? std::string(" (") + OutcomeName(*outcome_) + ")" : " (running)") + ". ";
  for (const PlotSeries& s : series_) text += DescribeSeries(s) + ". ";
  for (const auto& [which, level] : stored_) text += which + " stored at level " + std::to_string(level) + ". ";
  return text.substr(0, text.size() - 1);
}

}  // namespace qxt::window
