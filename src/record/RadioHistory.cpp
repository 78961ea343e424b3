#include "record/RadioHistory.h"

#include <cstdlib>

#include "memory/ParameterListing.h"

namespace qxt::record {

namespace {

// "  82", "-3", "145.525MHz": the number at the start of a listing value.
std::optional<double> Number(const std::string& text) {
  const char* begin = text.c_str();
  char* end = nullptr;
  const double v = std::strtod(begin, &end);
  if (end == begin) return std::nullopt;
  return v;
}

}  // namespace

RadioHistory::RadioHistory(const RecordReader& reader, std::string identity)
    : reader_(reader), identity_(std::move(identity)), sessions_(reader.RadioSessions(identity_)) {}

std::vector<std::string> RadioHistory::Items() const {
  std::vector<std::string> labels;
  for (auto s = sessions_.rbegin(); s != sessions_.rend() && labels.empty(); ++s) {
    if (const auto image = reader_.ImageAfter(s->id)) {
      for (const auto& row : memory::ParameterListing::RowsOf(*image)) labels.push_back(row.label);
    }
  }
  return labels;
}

std::vector<RadioHistory::Point> RadioHistory::Values(const std::string& label) const {
  std::vector<Point> points;
  for (const SessionSummary& s : sessions_) {
    Point p{s.id, s.started, s.bench, std::nullopt};
    if (const auto image = reader_.ImageAfter(s.id)) {
      for (const auto& row : memory::ParameterListing::RowsOf(*image)) {
        if (row.label == label) p.value = Number(row.value);
      }
    }
    points.push_back(std::move(p));
  }
  return points;
}

}  // namespace qxt::record
