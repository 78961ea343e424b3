#include "record/SqliteReader.h"

#include <SQLiteCpp/Statement.h>

#include <algorithm>
#include <stdexcept>

namespace qxt::record {

namespace {

constexpr const char* kSummaryColumns =
    "SELECT s.id, strftime('%Y-%m-%d %H:%M:%S', s.started, 'localtime'),"
    " COALESCE(strftime('%Y-%m-%d %H:%M:%S', s.ended, 'localtime'), ''), COALESCE(s.port, ''), COALESCE(s.device, ''),"
    " COALESCE(s.model, ''), COALESCE(s.sub, ''), COALESCE(s.identity, ''), s.outcome,"
    " COALESCE(s.outcome_text, ''), COALESCE(s.technician, ''), COALESCE(s.backup_path, ''),"
    " COALESCE(s.backup_sha256, ''),"
    " s.changes,"
    " (SELECT COUNT(*) FROM procedures p WHERE p.session_id = s.id),"
    " (SELECT COUNT(*) FROM events e WHERE e.session_id = s.id AND e.kind = 'error'), COALESCE(s.bench, '')"
    " FROM sessions s";

SessionSummary SummaryOf(SQLite::Statement& q) {
  SessionSummary s;
  s.id = q.getColumn(0).getInt64();
  std::string* texts[] = {&s.started,  &s.ended,   &s.port,        &s.device,     &s.model,      &s.sub,
                          &s.identity, &s.outcome, &s.outcomeText, &s.technician, &s.backupPath, &s.backupSha256};
  for (int i = 0; i < 12; ++i) *texts[i] = q.getColumn(i + 1).getString();
  s.changes = q.getColumn(13).getInt();
  s.procedures = q.getColumn(14).getInt();
  s.errors = q.getColumn(15).getInt();
  s.bench = q.getColumn(16).getString();
  return s;
}

std::optional<int32_t> Optional(const SQLite::Column& c) {
  return c.isNull() ? std::nullopt : std::optional<int32_t>(c.getInt());
}

}  // namespace

SQLite::Database& SqliteReader::db() const {
  if (store_ == nullptr) return *db_;
  if (store_->database() == nullptr) throw std::runtime_error("the service record " + store_->path() + " is not open");
  return *store_->database();
}

// The text is looked for in the session's own columns; the days are the local days the filter
// names, turned into UTC bounds so that the index on the start time serves them.
constexpr const char* kFilter =
    " WHERE s.id < ?4 AND s.id >= ?5"
    " AND (?1 = '' OR instr(lower(COALESCE(s.model, '') || ' ' || COALESCE(s.sub, '') || ' ' ||"
    " COALESCE(s.identity, '') || ' ' || COALESCE(s.device, '') || ' ' || s.outcome || ' ' ||"
    " COALESCE(s.outcome_text, '') || ' ' || COALESCE(s.technician, '') || ' ' || COALESCE(s.bench, '')),"
    " lower(?1)) > 0)"
    " AND (?2 = '' OR s.started >= strftime('%Y-%m-%dT%H:%M:%SZ', ?2, 'utc'))"
    " AND (?3 = '' OR s.started < strftime('%Y-%m-%dT%H:%M:%SZ', ?3, '+1 day', 'utc'))"
    " AND (?7 = '' OR s.bench = ?7)"
    " ORDER BY s.id DESC LIMIT ?6";

SessionPage SqliteReader::Page(const SessionFilter& filter, int64_t below, int limit, int64_t span) const {
  if (below <= 0) below = db().execAndGet("SELECT COALESCE(MAX(id), 0) + 1 FROM sessions").getInt64();
  const int64_t floor = span > 0 ? std::max<int64_t>(below - span, 0) : 0;
  SQLite::Statement q(db(), std::string(kSummaryColumns) + kFilter);
  q.bind(1, filter.text);
  q.bind(2, filter.from);
  q.bind(3, filter.to);
  q.bind(4, below);
  q.bind(5, floor);
  q.bind(6, limit);
  q.bind(7, filter.bench);
  SessionPage page;
  while (q.executeStep()) page.sessions.push_back(SummaryOf(q));
  if (limit > 0 && static_cast<int>(page.sessions.size()) == limit) {
    page.next = page.sessions.back().id;
  } else if (floor > 1) {
    page.next = floor;
  }
  return page;
}

std::optional<SessionSummary> SqliteReader::Session(int64_t id) const {
  SQLite::Statement q(db(), std::string(kSummaryColumns) + " WHERE s.id = ?");
  q.bind(1, id);
  if (!q.executeStep()) return std::nullopt;
  return SummaryOf(q);
}

std::vector<EventRow> SqliteReader::Events(int64_t session) const {
  SQLite::Statement q(db(),
                      "SELECT strftime('%Y-%m-%d %H:%M:%S', at, 'localtime'), kind, COALESCE(item, ''), address, "
                      "before, after, COALESCE(reason, ''),"
                      " COALESCE(text, ''), COALESCE(image_sha256, '') FROM events WHERE session_id = ? ORDER BY id");
  q.bind(1, session);
  std::vector<EventRow> out;
  while (q.executeStep()) {
    out.push_back({q.getColumn(0).getString(), q.getColumn(1).getString(), q.getColumn(2).getString(),
                   Optional(q.getColumn(3)), Optional(q.getColumn(4)), Optional(q.getColumn(5)),
                   q.getColumn(6).getString(), q.getColumn(7).getString(), q.getColumn(8).getString()});
  }
  return out;
}

std::vector<ProcedureRow> SqliteReader::Procedures(int64_t session) const {
  SQLite::Statement q(db(),
                      "SELECT id, strftime('%Y-%m-%d %H:%M:%S', started, 'localtime'),"
                      " COALESCE(strftime('%Y-%m-%d %H:%M:%S', ended, 'localtime'), ''), kind, COALESCE(items, ''), "
                      "COALESCE(start_values, ''),"
                      " COALESCE(end_values, ''), outcome, COALESCE(note, '') FROM procedures WHERE session_id = ?"
                      " ORDER BY id");
  q.bind(1, session);
  std::vector<ProcedureRow> out;
  while (q.executeStep()) {
    ProcedureRow p;
    p.id = q.getColumn(0).getInt64();
    std::string* texts[] = {&p.started, &p.ended, &p.kind, &p.items, &p.startValues, &p.endValues, &p.outcome, &p.note};
    for (int i = 0; i < 8; ++i) *texts[i] = q.getColumn(i + 1).getString();
    out.push_back(std::move(p));
  }
  for (ProcedureRow& p : out) {
    SQLite::Statement points(db(), "SELECT series, setting, level FROM points WHERE procedure_id = ? ORDER BY seq");
    points.bind(1, p.id);
    while (points.executeStep()) {
      p.points.push_back({points.getColumn(0).getString(), points.getColumn(1).getInt(), points.getColumn(2).getInt()});
    }
    SQLite::Statement series(db(),
                             "SELECT name, reference, target, plateau_from, plateau_to, chosen, ended FROM series"
                             " WHERE procedure_id = ? ORDER BY rowid");
    series.bind(1, p.id);
    while (series.executeStep()) {
      p.series.push_back({series.getColumn(0).getString(), Optional(series.getColumn(1)), Optional(series.getColumn(2)),
                          Optional(series.getColumn(3)), Optional(series.getColumn(4)), Optional(series.getColumn(5)),
                          series.getColumn(6).getInt() != 0});
    }
  }
  return out;
}

std::optional<Bytes> SqliteReader::Image(const std::string& sha256) const {
  SQLite::Statement q(db(), "SELECT bytes FROM images WHERE sha256 = ?");
  q.bind(1, sha256);
  if (!q.executeStep()) return std::nullopt;
  const SQLite::Column blob = q.getColumn(0);
  const auto* data = static_cast<const uint8_t*>(blob.getBlob());
  return Bytes(data, data + blob.getBytes());
}

std::optional<SessionSummary> SqliteReader::ReadIn(const std::string& sha256) const {
  SQLite::Statement q(db(), std::string(kSummaryColumns) + " WHERE s.backup_sha256 = ? ORDER BY s.id LIMIT 1");
  q.bind(1, sha256);
  if (!q.executeStep()) return std::nullopt;
  return SummaryOf(q);
}

// Refusals wrote nothing into the radio, so they say nothing of its memory.
std::optional<RestoreRow> SqliteReader::LastRestoreOf(const std::string& identity) const {
  if (identity.empty()) return std::nullopt;
  SQLite::Statement q(db(),
                      "SELECT strftime('%Y-%m-%d %H:%M:%S', e.at, 'localtime'), COALESCE(e.item, ''), "
                      "COALESCE(e.reason, ''), COALESCE(e.after, 0) FROM events e"
                      " JOIN sessions s ON s.id = e.session_id"
                      " WHERE s.identity = ? AND e.kind = 'restore' AND e.reason <> 'refused'"
                      " ORDER BY e.id DESC LIMIT 1");
  q.bind(1, identity);
  if (!q.executeStep()) return std::nullopt;
  return RestoreRow{q.getColumn(0).getString(), q.getColumn(1).getString(), q.getColumn(2).getString(),
                    q.getColumn(3).getInt()};
}

std::vector<SessionSummary> SqliteReader::RadioSessions(const std::string& identity) const {
  std::vector<SessionSummary> out;
  if (identity.empty()) return out;
  SQLite::Statement q(db(), std::string(kSummaryColumns) + " WHERE s.identity = ? ORDER BY s.id");
  q.bind(1, identity);
  while (q.executeStep()) out.push_back(SummaryOf(q));
  return out;
}

}  // namespace qxt::record
