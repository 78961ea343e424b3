#include "record/RecordSchema.h"

#include <SQLiteCpp/Transaction.h>

namespace qxt::record {

namespace {

// Step n brings version n - 1 to version n.
constexpr const char* kSteps[RecordSchema::kVersion + 1] = {
    "",
    // 1: sessions and their events.
    "CREATE TABLE sessions ("
    "  id INTEGER PRIMARY KEY, started TEXT NOT NULL, ended TEXT, port INTEGER, device TEXT,"
    "  model TEXT, sub TEXT, identity TEXT, backup_path TEXT, backup_sha256 TEXT,"
    "  outcome TEXT NOT NULL DEFAULT 'open', outcome_text TEXT);"
    "CREATE TABLE events ("
    "  id INTEGER PRIMARY KEY, session_id INTEGER NOT NULL REFERENCES sessions(id), at TEXT NOT NULL,"
    "  kind TEXT NOT NULL, item TEXT, address INTEGER, before INTEGER, after INTEGER, reason TEXT, text TEXT);"
    "CREATE INDEX events_by_session ON events(session_id);",
    // 2: procedures with their measured points.
    "CREATE TABLE procedures ("
    "  id INTEGER PRIMARY KEY, session_id INTEGER NOT NULL REFERENCES sessions(id), started TEXT NOT NULL,"
    "  ended TEXT, kind TEXT NOT NULL, items TEXT, start_values TEXT, end_values TEXT,"
    "  outcome TEXT NOT NULL DEFAULT 'running', note TEXT);"
    "CREATE TABLE points ("
    "  procedure_id INTEGER NOT NULL REFERENCES procedures(id), seq INTEGER NOT NULL, series TEXT NOT NULL,"
    "  setting INTEGER, level INTEGER);"
    "CREATE INDEX points_by_procedure ON points(procedure_id);",
    // 3: the images themselves, the technician, and images named by events (restores).
    "CREATE TABLE images (sha256 TEXT PRIMARY KEY, bytes BLOB NOT NULL);"
    "ALTER TABLE sessions ADD COLUMN technician TEXT;"
    "ALTER TABLE events ADD COLUMN image_sha256 TEXT;",
    // 4: what each series of points was about: the value before, the level sought, the plateau
    // found and the setting chosen, so that a plot can be drawn again from the record.
    "CREATE TABLE series ("
    "  procedure_id INTEGER NOT NULL REFERENCES procedures(id), name TEXT NOT NULL, reference INTEGER,"
    "  target INTEGER, plateau_from INTEGER, plateau_to INTEGER, chosen INTEGER, ended INTEGER NOT NULL DEFAULT 0);"
    "CREATE INDEX series_by_procedure ON series(procedure_id);",
};

}  // namespace

int RecordSchema::VersionOf(SQLite::Database& db) { return db.execAndGet("PRAGMA user_version").getInt(); }

void RecordSchema::Step(SQLite::Database& db, int to) {
  SQLite::Transaction transaction(db);
  db.exec(kSteps[to]);
  db.exec("PRAGMA user_version = " + std::to_string(to));
  transaction.commit();
}

void RecordSchema::Migrate(SQLite::Database& db) {
  for (int v = VersionOf(db); v < kVersion; ++v) Step(db, v + 1);
}

void RecordSchema::CreateAt(SQLite::Database& db, int version) {
  for (int v = VersionOf(db); v < version; ++v) Step(db, v + 1);
}

}  // namespace qxt::record
