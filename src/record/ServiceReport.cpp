#include "record/ServiceReport.h"

#include "common/Utf8Text.h"
#include "memory/ParameterListing.h"
#include "record/HistoryExport.h"

namespace qxt::record {

namespace {

std::string Cell(const std::string& text, const char* tag = "td") {
  return std::string("<") + tag + ">" + ServiceReport::Escape(text) + "</" + tag + ">";
}

std::string Trimmed(const std::string& s) {
  const size_t b = s.find_first_not_of(' ');
  return b == std::string::npos ? std::string() : s.substr(b, s.find_last_not_of(' ') - b + 1);
}

}  // namespace

ServiceReport::ServiceReport(const RecordReader& reader, int64_t session, std::string technician)
    : reader_(reader), session_(session), technician_(std::move(technician)), summary_(reader.Session(session)) {}

std::string ServiceReport::Escape(const std::string& text) {
  std::string out;
  for (char c : common::ValidUtf8(text)) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string ServiceReport::Html() const {
  if (!summary_) return {};
  return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Service report " + std::to_string(session_) +
         "</title><style>body{font-family:sans-serif} table{border-collapse:collapse} "
         "td,th{border:1px solid #999;padding:2px 6px;text-align:left} .changed{font-weight:bold;"
         "background:#ffe9a8} .mono{font-family:monospace}</style></head><body>\n" +
         Heading() + AlignmentPart() + Listing() + ProceduresPart() + MessagesPart() + ChangesPart() +
         InstrumentPart() + "</body></html>\n";
}

std::string ServiceReport::Heading() const {
  const SessionSummary& s = *summary_;
  const std::string technician = s.technician.empty() ? technician_ : s.technician;
  const auto align = Lines("align");
  std::string html = align.empty() ? "<h1>Service report</h1>\n<table>\n" : "<h1>Alignment certificate</h1>\n<table>\n";
  const std::pair<const char*, std::string> rows[] = {
      {"Radio", s.model.empty() ? "(not identified)" : "QZ-R700, model " + s.model + ", sub code " + s.sub},
      {"Identification data", HistoryExport::IdentityFields(s.identity).empty()
                                  ? s.identity
                                  : HistoryExport::IdentityFields(s.identity) + " (" + s.identity + ")"},
      {"Date", s.started + (s.ended.empty() ? "" : " to " + s.ended)},
      {"Technician", technician.empty() ? "(not named)" : technician},
      {"Port", s.device},
      {"Backup of the memory as read", s.backupPath},
      {"Backup SHA-256", s.backupSha256},
      {"Session", std::to_string(s.id) + ", " + s.outcome + (s.outcomeText.empty() ? "" : ": " + s.outcomeText)},
  };
  for (const auto& [label, value] : rows) html += "<tr>" + Cell(label, "th") + Cell(value) + "</tr>\n";
  for (const std::string& line : align) {
    for (const char* label : {"Instrument", "Levels"}) {
      const std::string prefix = std::string(label) + ": ";
      if (line.rfind(prefix, 0) == 0) html += "<tr>" + Cell(label, "th") + Cell(line.substr(prefix.size())) + "</tr>\n";
    }
  }
  return html + "</table>\n";
}

std::vector<std::string> ServiceReport::Lines(const std::string& kind) const {
  std::vector<std::string> out;
  for (const EventRow& e : reader_.Events(session_)) {
    if (e.kind == kind) out.push_back(e.text);
  }
  return out;
}

// Align all: the outcome, then each step with its result, its values before and after and its time.
std::string ServiceReport::AlignmentPart() const {
  std::string html;
  for (const std::string& line : Lines("align")) {
    if (line.rfind("Instrument: ", 0) == 0 || line.rfind("Levels: ", 0) == 0) continue;
    html += html.empty() ? "<h2>" + Escape(line) + "</h2>\n<ul>\n" : "<li>" + Escape(line) + "</li>\n";
  }
  return html.empty() ? "" : html + "</ul>\n";
}

// Every line sent to the bench instruments, with the instrument that took it.
std::string ServiceReport::InstrumentPart() const {
  std::string rows;
  for (const EventRow& e : reader_.Events(session_)) {
    if (e.kind == "instrument") rows += "<tr>" + Cell(e.at) + Cell(e.text) + "</tr>\n";
  }
  return rows.empty() ? "" : "<h2>Sent to the instruments</h2>\n<table>\n" + rows + "</table>\n";
}

std::string ServiceReport::Listing() const {
  const auto before = reader_.ImageBefore(session_);
  const auto after = reader_.ImageAfter(session_);
  if (!before || !after) return "<h2>Parameters</h2>\n<p>No image of the radio was read in this session.</p>\n";
  const auto rowsBefore = memory::ParameterListing::RowsOf(*before);
  const auto rowsAfter = memory::ParameterListing::RowsOf(*after);
  int changed = 0;
  std::string rows;
  for (size_t i = 0; i < rowsBefore.size() && i < rowsAfter.size(); ++i) {
    const bool differs = rowsBefore[i].value != rowsAfter[i].value;
    changed += differs ? 1 : 0;
    rows += std::string(differs ? "<tr class=\"changed\">" : "<tr>") + Cell(differs ? "*" : "") +
            Cell(Trimmed(rowsBefore[i].label)) + Cell(Trimmed(rowsBefore[i].value)) +
            Cell(Trimmed(rowsAfter[i].value)) + "</tr>\n";
  }
  return "<h2>Parameters</h2>\n<p>" + std::to_string(changed) + " of " + std::to_string(rowsBefore.size()) +
         " lines changed (marked *).</p>\n<table class=\"mono\"><tr><th></th><th>Parameter</th><th>Before</th>"
         "<th>After</th></tr>\n" +
         rows + "</table>\n";
}

std::string ServiceReport::ProceduresPart() const {
  const auto procedures = reader_.Procedures(session_);
  if (procedures.empty()) return "<h2>Procedures</h2>\n<p>None.</p>\n";
  std::string html =
      "<h2>Procedures</h2>\n<table><tr><th>Started</th><th>Procedure</th><th>Items</th><th>Before</th>"
      "<th>After</th><th>Outcome</th><th>Points</th><th>Note</th></tr>\n";
  std::string figures;
  for (const ProcedureRow& p : procedures) {
    html += "<tr>" + Cell(p.started) + Cell(p.kind) + Cell(p.items) + Cell(p.startValues) + Cell(p.endValues) +
            Cell(p.outcome) + Cell(std::to_string(p.points.size())) + Cell(p.note) + "</tr>\n";
    const auto figure = figures_.find(p.id);
    if (figure != figures_.end()) figures += "<h3>" + Escape(p.kind + ", " + p.started) + "</h3>\n" + figure->second;
  }
  return html + "</table>\n" + figures;
}

std::string ServiceReport::MessagesPart() const {
  std::string rows;
  for (const EventRow& e : reader_.Events(session_)) {
    if (e.kind == "error" || e.kind == "notice") rows += "<tr>" + Cell(e.at) + Cell(e.kind) + Cell(e.text) + "</tr>\n";
  }
  if (rows.empty()) return "<h2>Errors and notices</h2>\n<p>None.</p>\n";
  return "<h2>Errors and notices</h2>\n<table>\n" + rows + "</table>\n";
}

std::string ServiceReport::ChangesPart() const {
  std::string rows;
  for (const EventRow& e : reader_.Events(session_)) {
    if (e.kind == "change" || e.kind == "restore")
      rows += "<tr>" + Cell(e.at) + Cell(HistoryExport::Describe(e)) + "</tr>\n";
  }
  if (rows.empty()) return "<h2>Values sent</h2>\n<p>None.</p>\n";
  return "<h2>Values sent</h2>\n<table>\n" + rows + "</table>\n";
}

}  // namespace qxt::record
