#include "record/HistoryExport.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "common/Utf8Text.h"

namespace qxt::record {

namespace {

using Row = std::vector<std::string>;

std::string Csv(const std::vector<Row>& rows) {
  std::string out;
  for (const Row& row : rows) {
    for (size_t i = 0; i < row.size(); ++i) out += (i ? "," : "") + HistoryExport::CsvField(row[i]);
    out += "\r\n";
  }
  return out;
}

// Columns padded to their widest cell; the last column runs free.
std::string Columns(const std::vector<Row>& rows) {
  std::vector<size_t> width;
  for (const Row& row : rows) {
    width.resize(std::max(width.size(), row.size()));
    for (size_t i = 0; i < row.size(); ++i) width[i] = std::max(width[i], row[i].size());
  }
  std::string out;
  for (const Row& row : rows) {
    std::string line;
    for (size_t i = 0; i < row.size(); ++i) {
      line += row[i];
      if (i + 1 < row.size()) line += std::string(width[i] - row[i].size() + 2, ' ');
    }
    out += line.substr(0, line.find_last_not_of(' ') + 1) + "\n";
  }
  return out;
}

std::string Number(const std::optional<int32_t>& v) { return v ? std::to_string(*v) : ""; }

// A message's line breaks as " / ", so that a row stays one line.
std::string OneLine(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      while (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n')) ++i;
      out += " / ";
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string Outcome(const SessionSummary& s) {
  return s.outcomeText.empty() ? s.outcome : s.outcome + ": " + s.outcomeText;
}

Row SessionRow(const SessionSummary& s) {
  return {std::to_string(s.id),
          s.started,
          s.bench,
          s.model,
          s.sub,
          s.identity,
          s.device,
          std::to_string(s.changes),
          std::to_string(s.procedures),
          s.technician,
          Outcome(s)};
}

// On a terminal the identification data is cut to its start: --csv and --session give it whole.
Row SessionLine(const SessionSummary& s) {
  Row row = SessionRow(s);
  if (row[5].size() > 16) row[5] = row[5].substr(0, 14) + "..";
  row[10] = OneLine(row[10]);
  return row;
}

const Row kSessionHeader = {"Session", "Started", "Bench",      "Model",      "Sub",    "Identity",
                            "Device",  "Changes", "Procedures", "Technician", "Outcome"};
const Row kEventHeader = {"Time", "Kind", "Item", "Address", "Before", "After", "Reason", "Text"};

Row EventFields(const EventRow& e) {
  char address[8] = "";
  if (e.address) std::snprintf(address, sizeof address, "%04X", static_cast<unsigned>(*e.address) & 0xFFFFu);
  return {e.at, e.kind, e.item, address, Number(e.before), Number(e.after), e.reason, e.text};
}

}  // namespace

namespace {

// A whole number or a decimal, with its sign: a spreadsheet takes it as the number it is.
bool IsNumber(const std::string& text) {
  size_t i = text[0] == '-' || text[0] == '+' ? 1 : 0;
  bool digits = false, point = false;
  for (; i < text.size(); ++i) {
    if (text[i] >= '0' && text[i] <= '9') {
      digits = true;
    } else if (text[i] == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digits;
}

}  // namespace

std::string HistoryExport::CsvField(const std::string& text) {
  std::string field = common::ValidUtf8(text);
  if (!field.empty() && std::string("=+-@\t\r").find(field[0]) != std::string::npos && !IsNumber(field)) {
    field.insert(0, "'");
  }
  if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
  std::string quoted = "\"";
  for (char c : field) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

// The identification data begins at the ninth byte of the inquiry answer: its option bits are
// the answer's byte 59, its last EEPROM address the four hex digits in bytes 66 to 69.
std::string HistoryExport::IdentityFields(const std::string& identityHex) {
  constexpr size_t kOptions = (59 - 9) * 2, kLastAddress = (66 - 9) * 2;
  if (identityHex.size() < kLastAddress + 8) return "";
  std::string address;
  for (size_t i = kLastAddress; i < kLastAddress + 8; i += 2) {
    const int c = static_cast<int>(std::strtol(identityHex.substr(i, 2).c_str(), nullptr, 16));
    if (!std::isxdigit(c)) return "";
    address += static_cast<char>(std::toupper(c));
  }
  return "options " + identityHex.substr(kOptions, 2) + ", last address " + address;
}

std::string HistoryExport::Radio(const SessionSummary& s) {
  if (s.model.empty()) return "(not identified)";
  const std::string fields = IdentityFields(s.identity);
  if (!fields.empty()) return s.model + "/" + s.sub + ", " + fields;
  return s.model + "/" + s.sub + (s.identity.empty() ? "" : " " + s.identity);
}

std::string HistoryExport::Describe(const EventRow& e) {
  if (e.kind == "change") {
    return e.item + ": " + (e.before ? Number(e.before) + " -> " : "") + Number(e.after) + " (" + e.reason + ")";
  }
  if (e.kind == "procedure") return e.item + " " + e.reason + (e.text.empty() ? "" : ": " + e.text);
  if (e.kind == "restore") return "restore from " + e.item + " (" + e.reason + "): " + e.text;
  if (e.kind == "read") return "memory read again" + (e.text.empty() ? "" : ", kept as " + e.text);
  return e.text;
}

std::string HistoryExport::SessionsText(const std::vector<SessionSummary>& sessions) {
  std::vector<Row> rows{kSessionHeader};
  for (const auto& s : sessions) rows.push_back(SessionLine(s));
  return Columns(rows);
}

std::string HistoryExport::SessionsCsv(const std::vector<SessionSummary>& sessions) {
  std::vector<Row> rows{kSessionHeader};
  for (const auto& s : sessions) rows.push_back(SessionRow(s));
  return Csv(rows);
}

std::string HistoryExport::EventsText(const std::vector<EventRow>& events) {
  std::vector<Row> rows{{"Time", "Kind", "What"}};
  for (const auto& e : events) rows.push_back({e.at, e.kind, OneLine(Describe(e))});
  return Columns(rows);
}

std::string HistoryExport::EventsCsv(const std::vector<EventRow>& events) {
  std::vector<Row> rows{kEventHeader};
  for (const auto& e : events) rows.push_back(EventFields(e));
  return Csv(rows);
}

}  // namespace qxt::record
