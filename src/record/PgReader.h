#pragma once
// The shop's record read from its server: every bench's sessions under a shop-wide number, with
// the bench each was on. It connects at its first question; a server that cannot be reached or
// that holds tables this program does not know throws std::runtime_error with the reason.

#include <memory>
#include <string>

#include "record/PgConnection.h"
#include "record/RecordReader.h"

namespace qxt::record {

class PgReader : public RecordReader {
 public:
  explicit PgReader(std::string conninfo) : conninfo_(std::move(conninfo)) {}

  // Connects now (false with why when the server cannot be read).
  bool Connect(std::string& why) const;
  bool connected() const { return conn_.open(); }

  SessionPage Page(const SessionFilter& filter, int64_t below, int limit, int64_t span = 0) const override;
  std::optional<SessionSummary> Session(int64_t id) const override;
  std::vector<EventRow> Events(int64_t session) const override;
  std::vector<ProcedureRow> Procedures(int64_t session) const override;
  std::optional<Bytes> Image(const std::string& sha256) const override;
  std::optional<SessionSummary> ReadIn(const std::string& sha256) const override;
  std::optional<RestoreRow> LastRestoreOf(const std::string& identity) const override;
  std::vector<SessionSummary> RadioSessions(const std::string& identity) const override;
  std::string Where() const override { return "the server " + conninfo_; }

 private:
  PgConnection::Result Query(const std::string& sql, const std::vector<PgConnection::Param>& params) const;
  std::vector<SessionSummary> Summaries(const std::string& where, const std::vector<PgConnection::Param>& params) const;

  std::string conninfo_;
  mutable PgConnection conn_;
};

}  // namespace qxt::record
