#pragma once
// Reading the service record back: the list of sessions, newest first, one session's events and
// procedures, the images, where an image was first read, and every session of one radio. Times
// come in local time. Two kinds stand behind it: this bench's own file (SqliteReader) and the
// shop's server (PgReader). A record it cannot understand or reach throws std::exception, which
// the callers turn into a message.

#include <optional>
#include <string>
#include <vector>

#include "record/RecordTypes.h"

namespace qxt::record {

class RecordReader {
 public:
  virtual ~RecordReader() = default;

  std::vector<SessionSummary> Sessions(const SessionFilter& filter = {}) const {
    return Page(filter, 0, -1, 0).sessions;
  }
  // Up to limit sessions (negative: all) below the id `below` (0: from the newest) that pass the
  // filter, looking at no more than span ids (0: all): each step of a list that fills as it
  // scrolls stays short however rare the matches are.
  virtual SessionPage Page(const SessionFilter& filter, int64_t below, int limit, int64_t span = 0) const = 0;
  virtual std::optional<SessionSummary> Session(int64_t id) const = 0;
  virtual std::vector<EventRow> Events(int64_t session) const = 0;
  virtual std::vector<ProcedureRow> Procedures(int64_t session) const = 0;
  virtual std::optional<Bytes> Image(const std::string& sha256) const = 0;
  // The image as read at the start of the session, and as it stands after every value the
  // session sent, every verified restore and every later read were applied to it.
  std::optional<Bytes> ImageBefore(int64_t session) const;
  std::optional<Bytes> ImageAfter(int64_t session) const;
  // The first session whose connection read an image with this SHA-256.
  virtual std::optional<SessionSummary> ReadIn(const std::string& sha256) const = 0;
  // The newest restore written into the radio with this identification data (hex), if any.
  virtual std::optional<RestoreRow> LastRestoreOf(const std::string& identity) const = 0;
  // Every session of the radio with this identification data (hex), oldest first, whichever
  // bench it was on.
  virtual std::vector<SessionSummary> RadioSessions(const std::string& identity) const = 0;
  // Where the record read is, in words ("/home/.../service.sqlite", "the server host=...").
  virtual std::string Where() const = 0;
};

}  // namespace qxt::record
