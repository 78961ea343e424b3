#pragma once
// One radio's own history: every session of its identification data, on every bench, oldest
// first, and what one line of its parameter listing held at the end of each of them, so that
// the drift of an alignment between services can be seen.

#include <optional>
#include <string>
#include <vector>

#include "record/RecordReader.h"

namespace qxt::record {

class RadioHistory {
 public:
  struct Point {
    int64_t session = 0;
    std::string started, bench;
    std::optional<double> value;  // none: the session kept no image, or the line is no number
  };

  RadioHistory(const RecordReader& reader, std::string identity);

  const std::vector<SessionSummary>& sessions() const { return sessions_; }
  // The labels of the parameter listing (as the newest image shows them).
  std::vector<std::string> Items() const;
  // The listing line with this label at the end of every session.
  std::vector<Point> Values(const std::string& label) const;

 private:
  const RecordReader& reader_;
  std::string identity_;
  std::vector<SessionSummary> sessions_;
};

}  // namespace qxt::record
