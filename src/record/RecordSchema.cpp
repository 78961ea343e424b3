#include "record/RecordSchema.h"

#include <SQLiteCpp/Transaction.h>

#include <ctime>

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
    // 5: indexes for every per-session count and look-up (without them each listed session read
    // the whole procedures table); "changes" kept with the session, counting only the items whose
    // value differs from what the radio held when the session began; times in UTC (ISO-8601)
    // instead of local time, which is ambiguous once a year and wrong after a move.
    "CREATE INDEX procedures_by_session ON procedures(session_id);"
    "CREATE INDEX events_by_session_kind ON events(session_id, kind, item);"
    "DROP INDEX events_by_session;"
    "CREATE INDEX sessions_by_backup ON sessions(backup_sha256);"
    "CREATE INDEX sessions_by_started ON sessions(started);"
    "CREATE INDEX sessions_by_identity ON sessions(identity);"
    "ALTER TABLE sessions ADD COLUMN changes INTEGER NOT NULL DEFAULT 0;"
    "UPDATE sessions SET changes = (SELECT COUNT(*) FROM (SELECT DISTINCT item FROM events e"
    "  WHERE e.session_id = sessions.id AND e.kind = 'change') i WHERE"
    "  (SELECT COALESCE(before, CASE WHEN reason = 'connect' THEN after END) FROM events"
    "   WHERE session_id = sessions.id AND kind = 'change' AND item IS i.item ORDER BY id LIMIT 1) IS NOT"
    "  (SELECT after FROM events WHERE session_id = sessions.id AND kind = 'change' AND item IS i.item"
    "   ORDER BY id DESC LIMIT 1));"
    "UPDATE sessions SET started = strftime('%Y-%m-%dT%H:%M:%SZ', started, 'utc'),"
    "  ended = strftime('%Y-%m-%dT%H:%M:%SZ', ended, 'utc');"
    "UPDATE events SET at = strftime('%Y-%m-%dT%H:%M:%SZ', at, 'utc');"
    "UPDATE procedures SET started = strftime('%Y-%m-%dT%H:%M:%SZ', started, 'utc'),"
    "  ended = strftime('%Y-%m-%dT%H:%M:%SZ', ended, 'utc');",
    // 6: the bench each session was on and the process that held it open (a session left open by
    // a process that is gone was lost with it); for a shop's server, a key of this file that no
    // other bench shares, and the rows still owed to the server, noted by triggers in the same
    // transaction as the row itself while the record is shipped.
    "ALTER TABLE sessions ADD COLUMN bench TEXT;"
    "ALTER TABLE sessions ADD COLUMN pid INTEGER;"
    "CREATE INDEX sessions_open ON sessions(outcome) WHERE outcome = 'open';"
    "CREATE TABLE origin (key TEXT NOT NULL);"
    "INSERT INTO origin VALUES (lower(hex(randomblob(8))));"
    "CREATE TABLE shipping (server TEXT);"
    "CREATE TABLE outbox (seq INTEGER PRIMARY KEY, tab TEXT NOT NULL, row NOT NULL,"
    "  queued INTEGER NOT NULL DEFAULT (strftime('%s', 'now')));"
    "CREATE TRIGGER ship_sessions_insert AFTER INSERT ON sessions WHEN EXISTS (SELECT 1 FROM shipping)"
    " BEGIN INSERT INTO outbox (tab, row) VALUES ('sessions', NEW.id); END;"
    "CREATE TRIGGER ship_sessions_update AFTER UPDATE ON sessions WHEN EXISTS (SELECT 1 FROM shipping)"
    " BEGIN INSERT INTO outbox (tab, row) VALUES ('sessions', NEW.id); END;"
    "CREATE TRIGGER ship_events_insert AFTER INSERT ON events WHEN EXISTS (SELECT 1 FROM shipping)"
    " BEGIN INSERT INTO outbox (tab, row) VALUES ('events', NEW.id); END;"
    "CREATE TRIGGER ship_procedures_insert AFTER INSERT ON procedures WHEN EXISTS (SELECT 1 FROM shipping)"
    " BEGIN INSERT INTO outbox (tab, row) VALUES ('procedures', NEW.id); END;"
    "CREATE TRIGGER ship_procedures_update AFTER UPDATE ON procedures WHEN EXISTS (SELECT 1 FROM shipping)"
    " BEGIN INSERT INTO outbox (tab, row) VALUES ('procedures', NEW.id); END;"
    "CREATE TRIGGER ship_points_insert AFTER INSERT ON points WHEN EXISTS (SELECT 1 FROM shipping)"
    " BEGIN INSERT INTO outbox (tab, row) VALUES ('points', NEW.rowid); END;"
    "CREATE TRIGGER ship_series_insert AFTER INSERT ON series WHEN EXISTS (SELECT 1 FROM shipping)"
    " BEGIN INSERT INTO outbox (tab, row) VALUES ('series', NEW.rowid); END;"
    "CREATE TRIGGER ship_series_update AFTER UPDATE ON series WHEN EXISTS (SELECT 1 FROM shipping)"
    " BEGIN INSERT INTO outbox (tab, row) VALUES ('series', NEW.rowid); END;"
    "CREATE TRIGGER ship_images_insert AFTER INSERT ON images WHEN EXISTS (SELECT 1 FROM shipping)"
    " BEGIN INSERT INTO outbox (tab, row) VALUES ('images', NEW.sha256); END;",
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

std::string RecordSchema::UtcStamp(std::time_t t) {
  std::tm utc{};
  gmtime_r(&t, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
  return text;
}

std::string RecordSchema::LocalDay(std::time_t t) {
  std::tm local{};
  localtime_r(&t, &local);
  char text[16];
  std::strftime(text, sizeof text, "%Y-%m-%d", &local);
  return text;
}

void RecordSchema::CreateAt(SQLite::Database& db, int version) {
  for (int v = VersionOf(db); v < version; ++v) Step(db, v + 1);
}

}  // namespace qxt::record
