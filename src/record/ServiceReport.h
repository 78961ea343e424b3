#pragma once
// The service report of one session, as an HTML document that a browser shows and a printer
// (or a PDF writer) prints: the radio and its identification data, the date, the technician,
// the parameter listing before and after with changed lines marked, every procedure with its
// outcome, every error shown, and every value sent. A session of Align all makes it an alignment
// certificate: the instrument and its levels, each step's result, every line sent to the
// instrument.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "record/RecordReader.h"

namespace qxt::record {

class ServiceReport {
 public:
  // technician: the name to print when the session recorded none.
  ServiceReport(const RecordReader& reader, int64_t session, std::string technician = "");

  bool found() const { return summary_.has_value(); }
  // Pictures to show with a procedure (its id → an <img> or any HTML), such as its plot.
  void AddFigure(int64_t procedure, const std::string& html) { figures_[procedure] += html; }
  std::string Html() const;

  static std::string Escape(const std::string& text);

 private:
  std::string Heading() const;
  std::string Listing() const;
  std::string ProceduresPart() const;
  std::string MessagesPart() const;
  std::string ChangesPart() const;
  std::string AlignmentPart() const;
  std::string InstrumentPart() const;
  std::vector<std::string> Lines(const std::string& kind) const;

  const RecordReader& reader_;
  int64_t session_;
  std::string technician_;
  std::optional<SessionSummary> summary_;
  std::map<int64_t, std::string> figures_;
};

}  // namespace qxt::record
