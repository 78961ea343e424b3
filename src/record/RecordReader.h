#pragma once
// Reading the service record back: the list of sessions, newest first, one session's events and
// procedures, the images, and where an image was first read. Times come in local time. Every
// query runs on an index (a test reads their plans); a record it cannot understand throws
// SQLite::Exception, which the callers turn into a message.

#include <SQLiteCpp/Database.h>

#include <optional>
#include <string>
#include <vector>

#include "record/RecordTypes.h"

namespace qxt::record {

class RecordReader {
 public:
  explicit RecordReader(SQLite::Database& db) : db_(db) {}

  std::vector<SessionSummary> Sessions(const SessionFilter& filter = {}) const;
  // Up to limit sessions below the id `below` (0: from the newest) that pass the filter, looking
  // at no more than span ids (0: all): each step of a list that fills as it scrolls stays short
  // however rare the matches are.
  SessionPage Page(const SessionFilter& filter, int64_t below, int limit, int64_t span = 0) const;
  std::optional<SessionSummary> Session(int64_t id) const;
  std::vector<EventRow> Events(int64_t session) const;
  std::vector<ProcedureRow> Procedures(int64_t session) const;
  std::optional<Bytes> Image(const std::string& sha256) const;
  // The image as read at the start of the session, and as it stands after every value the
  // session sent, every verified restore and every later read were applied to it.
  std::optional<Bytes> ImageBefore(int64_t session) const;
  std::optional<Bytes> ImageAfter(int64_t session) const;
  // The first session whose connection read an image with this SHA-256.
  std::optional<SessionSummary> ReadIn(const std::string& sha256) const;
  // The newest restore written into the radio with this identification data (hex), if any.
  std::optional<RestoreRow> LastRestoreOf(const std::string& identity) const;

 private:
  SQLite::Database& db_;
};

}  // namespace qxt::record
