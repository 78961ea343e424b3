#pragma once
// Reading the service record back: the list of sessions, newest first, one session's events and
// procedures, the images, and where an image was first read.

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
