#include "record/Outbox.h"

#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>

#include <map>
#include <set>

namespace qxt::record {

namespace {

struct Shape {
  std::string key;  // the row's name in the local table
  std::vector<std::string> local, server;
};

// The local columns in the server's order; the local name of a key column that differs.
const std::map<std::string, Shape>& Shapes() {
  static const std::map<std::string, Shape> shapes = {
      {"sessions",
       {"id",
        {"id", "bench", "started", "ended", "port", "device", "model", "sub", "identity", "backup_path",
         "backup_sha256", "outcome", "outcome_text", "technician", "changes"},
        {"id", "bench", "started", "ended", "port", "device", "model", "sub", "identity", "backup_path",
         "backup_sha256", "outcome", "outcome_text", "technician", "changes"}}},
      {"events",
       {"id",
        {"id", "session_id", "at", "kind", "item", "address", "before", "after", "reason", "text", "image_sha256"},
        {"id", "session_id", "at", "kind", "item", "address", "\"before\"", "\"after\"", "reason", "\"text\"",
         "image_sha256"}}},
      {"procedures",
       {"id",
        {"id", "session_id", "started", "ended", "kind", "items", "start_values", "end_values", "outcome", "note"},
        {"id", "session_id", "started", "ended", "kind", "items", "start_values", "end_values", "outcome", "note"}}},
      {"points",
       {"rowid",
        {"rowid", "procedure_id", "seq", "series", "setting", "level"},
        {"id", "procedure_id", "seq", "series", "setting", "level"}}},
      {"series",
       {"rowid",
        {"rowid", "procedure_id", "name", "reference", "target", "plateau_from", "plateau_to", "chosen", "ended"},
        {"id", "procedure_id", "name", "reference", "target", "plateau_from", "plateau_to", "chosen", "ended"}}},
      {"images", {"sha256", {"sha256", "bytes"}, {"sha256", "bytes"}}},
  };
  return shapes;
}

Field FieldOf(const SQLite::Column& c) {
  if (c.isNull()) return Field();
  if (c.isInteger()) return Field(int64_t{c.getInt64()});
  if (c.isBlob()) {
    const auto* data = static_cast<const uint8_t*>(c.getBlob());
    return Field(Bytes(data, data + c.getBytes()));
  }
  return Field(c.getString());
}

std::string Joined(const std::vector<std::string>& names) {
  std::string out;
  for (const std::string& n : names) out += (out.empty() ? "" : ", ") + n;
  return out;
}

}  // namespace

const std::vector<std::string>& Outbox::Tables() {
  static const std::vector<std::string> tables = {"images", "sessions", "procedures", "series", "points", "events"};
  return tables;
}

const std::vector<std::string>& Outbox::ShipColumns(const std::string& table) { return Shapes().at(table).server; }

SQLite::Database& Outbox::Db() {
  if (!db_) {
    db_ = std::make_unique<SQLite::Database>(path_, SQLite::OPEN_READWRITE, kBusyTimeoutMs);
    // A row taken off the list and lost again with a power cut is only sent once more.
    db_->exec("PRAGMA synchronous = NORMAL");
  }
  return *db_;
}

bool Outbox::Origin(std::string& origin, std::string& why) {
  try {
    origin = Db().execAndGet("SELECT key FROM origin").getString();
    return true;
  } catch (const SQLite::Exception& e) {
    why = e.what();
    db_.reset();
    return false;
  }
}

bool Outbox::Next(size_t limit, std::vector<Row>& rows, std::string& why) {
  rows.clear();
  try {
    SQLite::Database& db = Db();
    SQLite::Transaction read(db);  // one view of the record for the whole batch
    SQLite::Statement q(db, "SELECT seq, tab, row FROM outbox ORDER BY seq LIMIT ?");
    q.bind(1, static_cast<int64_t>(limit));
    std::set<std::pair<std::string, std::string>> seen;
    while (q.executeStep()) {
      Row row{q.getColumn(0).getInt64(), q.getColumn(1).getString(), {}};
      const std::string name = q.getColumn(2).getString();
      const auto shape = Shapes().find(row.table);
      if (shape == Shapes().end() || !seen.insert({row.table, name}).second) {
        rows.push_back(std::move(row));  // nothing to send; kept to be taken off the list
        continue;
      }
      SQLite::Statement values(
          db, "SELECT " + Joined(shape->second.local) + " FROM " + row.table + " WHERE " + shape->second.key + " = ?");
      if (shape->second.key == "sha256") {
        values.bind(1, name);
      } else {
        values.bind(1, static_cast<int64_t>(std::stoll(name)));
      }
      if (values.executeStep()) {
        for (int i = 0; i < values.getColumnCount(); ++i) row.values.push_back(FieldOf(values.getColumn(i)));
      }
      rows.push_back(std::move(row));
    }
    read.commit();
    return true;
  } catch (const std::exception& e) {
    why = e.what();
    db_.reset();
    return false;
  }
}

bool Outbox::Remove(int64_t upToSeq, std::string& why) {
  try {
    SQLite::Statement q(Db(), "DELETE FROM outbox WHERE seq <= ?");
    q.bind(1, upToSeq);
    q.exec();
    return true;
  } catch (const SQLite::Exception& e) {
    why = e.what();
    db_.reset();
    return false;
  }
}

Outbox::Backlog Outbox::Waiting() {
  try {
    SQLite::Statement q(Db(),
                        "SELECT COUNT(*), COALESCE((SELECT queued FROM outbox ORDER BY seq LIMIT 1), 0) FROM outbox");
    if (q.executeStep()) return {q.getColumn(0).getInt64(), static_cast<std::time_t>(q.getColumn(1).getInt64())};
  } catch (const SQLite::Exception&) {
    db_.reset();
  }
  return {};
}

}  // namespace qxt::record
