#pragma once
// What the service record holds, as the program writes and reads it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/Bytes.h"
#include "common/SendReason.h"

namespace qxt::record {

// Why a value was sent to the radio.
using SendReason = common::SendReason;
const char* ReasonName(SendReason reason);

// How a restore ended; the record keeps the name (RestoreOutcomeName). "started" stays on record
// when the program never came to its end (killed, power cut).
enum class RestoreOutcome { kStarted, kVerified, kDiffers, kStopped, kLinkFailed, kUnchecked, kRefused };
const char* RestoreOutcomeName(RestoreOutcome outcome);

// The last restore of a radio that the record knows of.
struct RestoreRow {
  std::string at, file, outcome;
  int32_t bytesWritten = 0;
  bool verified() const { return outcome == "verified"; }
};

// The radio as a connection found it.
struct RadioFacts {
  std::string model, sub;
  std::string identity;  // the identification data of the inquiry answer, in hex
  std::string backupPath;
  Bytes image;  // the memory as read
};

struct SessionSummary {
  int64_t id = 0;
  std::string started, ended, port, device, model, sub, identity, outcome, outcomeText, technician;
  std::string backupPath, backupSha256;
  std::string bench;  // the bench the session was on
  int changes = 0, procedures = 0, errors = 0;
};

// One line of a session's history.
struct EventRow {
  std::string at, kind, item;
  std::optional<int32_t> address, before, after;
  std::string reason, text, imageSha256;
};

struct PointRow {
  std::string series;
  int32_t setting = 0, level = 0;
};

// A series of points and what it was about (a filter's sweep, a level adjustment).
struct SeriesRow {
  std::string name;
  std::optional<int32_t> reference, target, plateauFrom, plateauTo, chosen;
  bool ended = false;
};

struct ProcedureRow {
  int64_t id = 0;
  std::string started, ended, kind, items, startValues, endValues, outcome, note;
  std::vector<PointRow> points;
  std::vector<SeriesRow> series;
};

// Which sessions a list shows: text found in model, sub code, identity, device, outcome,
// technician or bench, a range of days ("YYYY-MM-DD", inclusive; empty: open), and one bench
// (empty: all).
struct SessionFilter {
  std::string text, from, to, bench;
};

// A step of the session list: the sessions found and the id to go on below (0: nothing left).
struct SessionPage {
  std::vector<SessionSummary> sessions;
  int64_t next = 0;
};

}  // namespace qxt::record
