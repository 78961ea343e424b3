#pragma once
// The service record as text: the session list and one session's events, as aligned columns
// for a terminal or as CSV for a spreadsheet.

#include <string>
#include <vector>

#include "record/RecordTypes.h"

namespace qxt::record {

class HistoryExport {
 public:
  static std::string SessionsText(const std::vector<SessionSummary>& sessions);
  static std::string SessionsCsv(const std::vector<SessionSummary>& sessions);
  static std::string EventsText(const std::vector<EventRow>& events);
  static std::string EventsCsv(const std::vector<EventRow>& events);

  // One CSV field: quoted when it holds a separator, a quote or a line break. Text that a
  // spreadsheet would take for a formula (= + - @ TAB CR at the start) is kept as text by a
  // leading apostrophe; numbers stay numbers. Invalid UTF-8 becomes U+FFFD.
  static std::string CsvField(const std::string& text);
  // "change", "BAL", 124 -> 125 "key": what one event says, in words.
  static std::string Describe(const EventRow& e);
  // The radio of a session in one phrase: "2927/0100, options 3C, last address 7D6F" (or with
  // the identification data in hex when it is too short to hold those fields).
  static std::string Radio(const SessionSummary& s);
  // "options 3C, last address 7D6F" from the identification data in hex, or "".
  static std::string IdentityFields(const std::string& identityHex);
};

}  // namespace qxt::record
