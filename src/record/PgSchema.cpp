#include "record/PgSchema.h"

namespace qxt::record {

namespace {

// Step n brings version n - 1 to version n.
constexpr const char* kSteps[PgSchema::kVersion + 1] = {
    "",
    // 1: the tables.
    "CREATE TABLE sessions ("
    "  origin text NOT NULL, id bigint NOT NULL, shop_id bigserial UNIQUE, bench text,"
    "  started timestamptz NOT NULL, ended timestamptz, port integer, device text, model text, sub text,"
    "  identity text, backup_path text, backup_sha256 text, outcome text NOT NULL DEFAULT 'open',"
    "  outcome_text text, technician text, changes integer NOT NULL DEFAULT 0, PRIMARY KEY (origin, id));"
    "CREATE TABLE events ("
    "  origin text NOT NULL, id bigint NOT NULL, session_id bigint NOT NULL, at timestamptz NOT NULL,"
    "  kind text NOT NULL, item text, address integer, \"before\" integer, \"after\" integer, reason text,"
    "  \"text\" text, image_sha256 text, PRIMARY KEY (origin, id));"
    "CREATE TABLE procedures ("
    "  origin text NOT NULL, id bigint NOT NULL, session_id bigint NOT NULL, started timestamptz NOT NULL,"
    "  ended timestamptz, kind text NOT NULL, items text, start_values text, end_values text,"
    "  outcome text NOT NULL DEFAULT 'running', note text, PRIMARY KEY (origin, id));"
    "CREATE TABLE points ("
    "  origin text NOT NULL, id bigint NOT NULL, procedure_id bigint NOT NULL, seq integer NOT NULL,"
    "  series text NOT NULL, setting integer, level integer, PRIMARY KEY (origin, id));"
    "CREATE TABLE series ("
    "  origin text NOT NULL, id bigint NOT NULL, procedure_id bigint NOT NULL, name text NOT NULL,"
    "  reference integer, target integer, plateau_from integer, plateau_to integer, chosen integer,"
    "  ended integer NOT NULL DEFAULT 0, PRIMARY KEY (origin, id));"
    "CREATE TABLE images (sha256 text PRIMARY KEY, bytes bytea NOT NULL);",
    // 2: what the readers look up: a session's events, procedures and their points; sessions by
    // start, by radio and by the image read; a bench's sessions.
    "CREATE INDEX events_by_session ON events (origin, session_id, kind);"
    "CREATE INDEX procedures_by_session ON procedures (origin, session_id);"
    "CREATE INDEX points_by_procedure ON points (origin, procedure_id, seq);"
    "CREATE INDEX series_by_procedure ON series (origin, procedure_id);"
    "CREATE INDEX sessions_by_started ON sessions (started);"
    "CREATE INDEX sessions_by_identity ON sessions (identity, started);"
    "CREATE INDEX sessions_by_backup ON sessions (backup_sha256);"
    "CREATE INDEX sessions_by_bench ON sessions (bench, shop_id);",
};

}  // namespace

PgSchema::Outcome PgSchema::Run(PgConnection& c, int target, int& found, std::string& why) {
  auto failed = [&](const PgConnection::Result& r) {
    why = r.error;
    if (c.open()) c.Exec("ROLLBACK");
    return Outcome::kFailed;
  };
  PgConnection::Result r = c.Exec("BEGIN; SELECT pg_advisory_xact_lock(" + std::to_string(kLockKey) +
                                  "); SELECT to_regclass('schema_version') IS NULL");
  if (!r.ok || r.rows.empty()) return failed(r);
  // Only a server without tables needs the right to create them (a bench's role has none).
  if (r.rows[0][0] == std::optional<std::string>("t")) {
    r = c.Exec("CREATE TABLE schema_version (version integer NOT NULL, reached timestamptz NOT NULL DEFAULT now())");
    if (!r.ok) return failed(r);
  }
  r = c.Exec("SELECT COALESCE(MAX(version), 0) FROM schema_version");
  if (!r.ok || r.rows.empty() || !r.rows[0][0]) return failed(r);
  found = std::stoi(*r.rows[0][0]);
  if (found > kVersion) {
    c.Exec("ROLLBACK");
    why = "the server's record is of version " + std::to_string(found) + ", newer than this program knows (" +
          std::to_string(kVersion) + ")";
    return Outcome::kNewer;
  }
  for (int v = found + 1; v <= target; ++v) {
    r = c.Exec(std::string(kSteps[v]) + "; INSERT INTO schema_version (version) VALUES (" + std::to_string(v) + ")");
    if (!r.ok) return failed(r);
  }
  r = c.Exec("COMMIT");
  if (!r.ok) return failed(r);
  return Outcome::kReady;
}

PgSchema::Outcome PgSchema::Migrate(PgConnection& c, int& found, std::string& why) {
  return Run(c, kVersion, found, why);
}

bool PgSchema::CreateAt(PgConnection& c, int version, std::string& why) {
  int found = 0;
  return Run(c, version, found, why) == Outcome::kReady;
}

}  // namespace qxt::record
