#pragma once
// The record of this bench read from its own SQLite file. Every query runs on an index (a test
// reads their plans); a file it cannot understand throws SQLite::Exception.

#include <SQLiteCpp/Database.h>

#include "record/RecordReader.h"
#include "record/RecordStore.h"

namespace qxt::record {

class SqliteReader : public RecordReader {
 public:
  explicit SqliteReader(SQLite::Database& db) : db_(&db) {}
  // Follows the store's connection, which a recovery replaces.
  explicit SqliteReader(RecordStore& store) : store_(&store) {}

  SessionPage Page(const SessionFilter& filter, int64_t below, int limit, int64_t span = 0) const override;
  std::optional<SessionSummary> Session(int64_t id) const override;
  std::vector<EventRow> Events(int64_t session) const override;
  std::vector<ProcedureRow> Procedures(int64_t session) const override;
  std::optional<Bytes> Image(const std::string& sha256) const override;
  std::optional<SessionSummary> ReadIn(const std::string& sha256) const override;
  std::optional<RestoreRow> LastRestoreOf(const std::string& identity) const override;
  std::vector<SessionSummary> RadioSessions(const std::string& identity) const override;
  std::string Where() const override { return store_ != nullptr ? store_->path() : db_->getFilename(); }

 private:
  SQLite::Database& db() const;

  SQLite::Database* db_ = nullptr;
  RecordStore* store_ = nullptr;
};

}  // namespace qxt::record
