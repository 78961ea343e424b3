#include "record/PgReader.h"

#include <cstdio>
#include <ctime>
#include <stdexcept>

#include "record/PgSchema.h"

namespace qxt::record {

namespace {

using P = PgConnection;

// Times come as seconds since 1970 and are shown in the bench's local time.
std::string Local(const std::optional<std::string>& epoch) {
  if (!epoch || epoch->empty()) return "";
  const std::time_t t = std::stoll(*epoch);
  std::tm local{};
  localtime_r(&t, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

std::string Text(const std::optional<std::string>& v) { return v.value_or(""); }
int Int(const std::optional<std::string>& v) { return v ? std::stoi(*v) : 0; }
std::optional<int32_t> Opt(const std::optional<std::string>& v) {
  return v ? std::optional<int32_t>(std::stoi(*v)) : std::nullopt;
}

// The local midnight that begins a day ("YYYY-MM-DD"), in seconds since 1970.
std::string DayStart(const std::string& day, int plusDays) {
  std::tm tm{};
  if (day.size() != 10 || std::sscanf(day.c_str(), "%d-%d-%d", &tm.tm_year, &tm.tm_mon, &tm.tm_mday) != 3) return "";
  tm.tm_year -= 1900;
  tm.tm_mon -= 1;
  tm.tm_mday += plusDays;
  tm.tm_isdst = -1;
  return std::to_string(static_cast<long long>(std::mktime(&tm)));
}

constexpr const char* kSummary =
    "SELECT s.shop_id, extract(epoch FROM s.started)::bigint, extract(epoch FROM s.ended)::bigint,"
    " COALESCE(s.port::text, ''), s.device, s.model, s.sub, s.identity, s.outcome, s.outcome_text, s.technician,"
    " s.backup_path, s.backup_sha256, s.changes,"
    " (SELECT COUNT(*) FROM procedures p WHERE p.origin = s.origin AND p.session_id = s.id),"
    " (SELECT COUNT(*) FROM events e WHERE e.origin = s.origin AND e.session_id = s.id AND e.kind = 'error'),"
    " s.bench FROM sessions s";

SessionSummary SummaryOf(const P::Row& r) {
  SessionSummary s;
  s.id = std::stoll(*r[0]);
  s.started = Local(r[1]);
  s.ended = Local(r[2]);
  std::string* texts[] = {&s.port,    &s.device,      &s.model,      &s.sub,        &s.identity,
                          &s.outcome, &s.outcomeText, &s.technician, &s.backupPath, &s.backupSha256};
  for (size_t i = 0; i < 10; ++i) *texts[i] = Text(r[i + 3]);
  s.changes = Int(r[13]);
  s.procedures = Int(r[14]);
  s.errors = Int(r[15]);
  s.bench = Text(r[16]);
  return s;
}

// A session's rows by its shop-wide number.
constexpr const char* kOfSession =
    " JOIN sessions s ON s.origin = x.origin AND s.id = x.session_id WHERE s.shop_id = $1";

}  // namespace

bool PgReader::Connect(std::string& why) const {
  if (conn_.open()) return true;
  if (!conn_.Open(conninfo_, why)) return false;
  int found = 0;
  if (PgSchema::Migrate(conn_, found, why) == PgSchema::Outcome::kReady) return true;
  conn_.Close();
  return false;
}

PgConnection::Result PgReader::Query(const std::string& sql, const std::vector<P::Param>& params) const {
  std::string why;
  if (!Connect(why)) throw std::runtime_error("the server cannot be read: " + why);
  P::Result r = conn_.Exec(sql, params);
  if (!r.ok) throw std::runtime_error("the server cannot be read: " + r.error);
  return r;
}

std::vector<SessionSummary> PgReader::Summaries(const std::string& where, const std::vector<P::Param>& params) const {
  std::vector<SessionSummary> out;
  for (const P::Row& r : Query(std::string(kSummary) + where, params).rows) out.push_back(SummaryOf(r));
  return out;
}

SessionPage PgReader::Page(const SessionFilter& filter, int64_t below, int limit, int64_t span) const {
  if (below <= 0) below = std::stoll(*Query("SELECT COALESCE(MAX(shop_id), 0) + 1 FROM sessions", {}).rows[0][0]);
  const int64_t floor = span > 0 ? std::max<int64_t>(below - span, 0) : 0;
  const std::string from = DayStart(filter.from, 0), to = DayStart(filter.to, 1);
  SessionPage page;
  page.sessions = Summaries(
      " WHERE s.shop_id < $1 AND s.shop_id >= $2"
      " AND ($3::text = '' OR strpos(lower(concat_ws(' ', s.model, s.sub, s.identity, s.device, s.outcome,"
      " s.outcome_text, s.technician, s.bench)), lower($3)) > 0)"
      " AND ($4::bigint IS NULL OR s.started >= to_timestamp($4::bigint))"
      " AND ($5::bigint IS NULL OR s.started < to_timestamp($5::bigint))"
      " AND ($6::text = '' OR s.bench = $6::text) ORDER BY s.shop_id DESC LIMIT $7::bigint",
      {P::Text(std::to_string(below)), P::Text(std::to_string(floor)), P::Text(filter.text),
       from.empty() ? P::Null() : P::Text(from), to.empty() ? P::Null() : P::Text(to), P::Text(filter.bench),
       limit < 0 ? P::Null() : P::Text(std::to_string(limit))});
  if (limit > 0 && static_cast<int>(page.sessions.size()) == limit) {
    page.next = page.sessions.back().id;
  } else if (floor > 1) {
    page.next = floor;
  }
  return page;
}

std::optional<SessionSummary> PgReader::Session(int64_t id) const {
  auto found = Summaries(" WHERE s.shop_id = $1", {P::Text(std::to_string(id))});
  if (found.empty()) return std::nullopt;
  return found.front();
}

std::vector<EventRow> PgReader::Events(int64_t session) const {
  std::vector<EventRow> out;
  const auto r = Query(
      "SELECT extract(epoch FROM x.at)::bigint, x.kind, x.item, x.address, x.\"before\", x.\"after\", x.reason,"
      " x.\"text\", x.image_sha256 FROM events x" +
          std::string(kOfSession) + " ORDER BY x.id",
      {P::Text(std::to_string(session))});
  for (const P::Row& e : r.rows) {
    out.push_back(
        {Local(e[0]), Text(e[1]), Text(e[2]), Opt(e[3]), Opt(e[4]), Opt(e[5]), Text(e[6]), Text(e[7]), Text(e[8])});
  }
  return out;
}

std::vector<ProcedureRow> PgReader::Procedures(int64_t session) const {
  std::vector<ProcedureRow> out;
  const auto r = Query(
      "SELECT x.id, extract(epoch FROM x.started)::bigint, extract(epoch FROM x.ended)::bigint, x.kind, x.items,"
      " x.start_values, x.end_values, x.outcome, x.note, x.origin FROM procedures x" +
          std::string(kOfSession) + " ORDER BY x.id",
      {P::Text(std::to_string(session))});
  for (const P::Row& row : r.rows) {
    ProcedureRow p;
    p.id = std::stoll(*row[0]);
    p.started = Local(row[1]);
    p.ended = Local(row[2]);
    std::string* texts[] = {&p.kind, &p.items, &p.startValues, &p.endValues, &p.outcome, &p.note};
    for (size_t i = 0; i < 6; ++i) *texts[i] = Text(row[i + 3]);
    const std::vector<P::Param> key{P::Text(*row[9]), P::Text(*row[0])};
    for (const P::Row& pt : Query("SELECT series, setting, level FROM points WHERE origin = $1 AND procedure_id = $2"
                                  " ORDER BY seq",
                                  key)
                                .rows) {
      p.points.push_back({Text(pt[0]), Int(pt[1]), Int(pt[2])});
    }
    for (const P::Row& se : Query("SELECT name, reference, target, plateau_from, plateau_to, chosen, ended FROM series"
                                  " WHERE origin = $1 AND procedure_id = $2 ORDER BY id",
                                  key)
                                .rows) {
      p.series.push_back({Text(se[0]), Opt(se[1]), Opt(se[2]), Opt(se[3]), Opt(se[4]), Opt(se[5]), Int(se[6]) != 0});
    }
    out.push_back(std::move(p));
  }
  return out;
}

std::optional<Bytes> PgReader::Image(const std::string& sha256) const {
  const auto r = Query("SELECT bytes FROM images WHERE sha256 = $1", {P::Text(sha256)});
  if (r.rows.empty() || !r.rows[0][0]) return std::nullopt;
  return PgConnection::FromHex(*r.rows[0][0]);
}

std::optional<SessionSummary> PgReader::ReadIn(const std::string& sha256) const {
  auto found = Summaries(" WHERE s.backup_sha256 = $1 ORDER BY s.started, s.shop_id LIMIT 1", {P::Text(sha256)});
  if (found.empty()) return std::nullopt;
  return found.front();
}

std::optional<RestoreRow> PgReader::LastRestoreOf(const std::string& identity) const {
  if (identity.empty()) return std::nullopt;
  const auto r = Query(
      "SELECT extract(epoch FROM e.at)::bigint, e.item, e.reason, COALESCE(e.\"after\", 0) FROM events e"
      " JOIN sessions s ON s.origin = e.origin AND s.id = e.session_id"
      " WHERE s.identity = $1 AND e.kind = 'restore' AND e.reason <> 'refused' ORDER BY e.at DESC, e.id DESC LIMIT 1",
      {P::Text(identity)});
  if (r.rows.empty()) return std::nullopt;
  return RestoreRow{Local(r.rows[0][0]), Text(r.rows[0][1]), Text(r.rows[0][2]), Int(r.rows[0][3])};
}

std::vector<SessionSummary> PgReader::RadioSessions(const std::string& identity) const {
  if (identity.empty()) return {};
  return Summaries(" WHERE s.identity = $1 ORDER BY s.started, s.shop_id", {P::Text(identity)});
}

}  // namespace qxt::record
