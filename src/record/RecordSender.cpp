#include "record/RecordSender.h"

#include "record/PgSchema.h"

namespace qxt::record {

namespace {

// Rows of one table go out many to a statement, within the server's limit of parameters.
constexpr size_t kRowsPerStatement = 200;

PgConnection::Param ParamOf(const Field& f) {
  if (const auto* n = std::get_if<int64_t>(&f)) return PgConnection::Text(std::to_string(*n));
  if (const auto* text = std::get_if<std::string>(&f)) return PgConnection::Text(*text);
  if (const auto* bytes = std::get_if<Bytes>(&f)) return PgConnection::Binary(*bytes);
  return PgConnection::Null();
}

bool HasOrigin(const std::string& table) { return table != "images"; }

}  // namespace

RecordSender::RecordSender(std::string recordPath, std::string conninfo)
    : outbox_(std::move(recordPath)), conninfo_(std::move(conninfo)) {
  thread_ = std::thread([this] { Run(); });
}

RecordSender::~RecordSender() {
  stop_ = true;
  wake_.notify_all();
  thread_.join();
}

void RecordSender::Nudge() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    nudged_ = true;
  }
  wake_.notify_all();
}

RecordSender::Status RecordSender::status() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return status_;
}

void RecordSender::Publish(Link link, const std::string& problem) {
  const Outbox::Backlog backlog = outbox_.Waiting();
  const std::lock_guard<std::mutex> lock(mutex_);
  status_.link = link;
  status_.problem = problem;
  status_.waiting = backlog.count;
  status_.since = backlog.since;
}

void RecordSender::Sleep(int ms, bool untilNudged) {
  std::unique_lock<std::mutex> lock(mutex_);
  wake_.wait_for(lock, std::chrono::milliseconds(ms), [&] { return stop_.load() || (untilNudged && nudged_); });
  nudged_ = false;
}

void RecordSender::Run() {
  int pause = 0;
  while (!stop_) {
    if (Step()) {
      pause = 0;
      continue;
    }
    pause = pause == 0 ? kFirstPauseMs : std::min(pause * 2, kLongestPauseMs);
    if (status().link == Link::kNewerServer) pause = kLongestPauseMs;
    Sleep(pause, false);
  }
  conn_.Close();
  outbox_.Close();
}

// One round: connected (and the server's tables brought up to date), one batch shipped. False
// when the round failed and the next one waits.
bool RecordSender::Step() {
  std::string why;
  if (!outbox_.Origin(origin_, why)) {  // asked each round: a recovered file names its rows anew
    Publish(Link::kOffline, "the record cannot be read: " + why);
    return false;
  }
  if (!conn_.open()) {
    if (!conn_.Open(conninfo_, why)) {
      Publish(Link::kOffline, why);
      return false;
    }
    int found = 0;
    const PgSchema::Outcome schema = PgSchema::Migrate(conn_, found, why);
    if (schema != PgSchema::Outcome::kReady) {
      conn_.Close();
      Publish(schema == PgSchema::Outcome::kNewer ? Link::kNewerServer : Link::kOffline, why);
      return false;
    }
  }
  std::vector<Outbox::Row> rows;
  if (!outbox_.Next(kBatch, rows, why)) {
    Publish(Link::kConnected, "the record cannot be read: " + why);
    return false;
  }
  if (rows.empty()) {
    Publish(Link::kConnected, "");
    Sleep(kIdleWaitMs, true);
    return true;
  }
  if (!Ship(rows, why)) {
    const bool refused = conn_.open();
    if (refused) conn_.Exec("ROLLBACK");
    Publish(refused ? Link::kRefused : Link::kOffline, why);
    return false;
  }
  // Committed: what follows may fail (and the batch goes again, changing nothing).
  if (!outbox_.Remove(rows.back().seq, why)) return false;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    status_.sent += static_cast<int64_t>(rows.size());
  }
  Publish(Link::kConnected, "");
  if (rows.size() < kBatch) Sleep(kGatherMs, false);
  return true;
}

std::string RecordSender::InsertSql(const std::string& table, size_t count) {
  const std::vector<std::string>& columns = Outbox::ShipColumns(table);
  const bool origin = HasOrigin(table);
  std::string names = origin ? "origin" : "";
  for (const std::string& c : columns) names += (names.empty() ? "" : ", ") + c;
  const size_t width = columns.size() + (origin ? 1 : 0);
  std::string sql = "INSERT INTO " + table + " (" + names + ") VALUES ";
  size_t n = 1;
  for (size_t row = 0; row < count; ++row) {
    sql += row == 0 ? "(" : ", (";
    for (size_t col = 0; col < width; ++col) sql += (col == 0 ? "$" : ", $") + std::to_string(n++);
    sql += ")";
  }
  if (!origin) return sql + " ON CONFLICT (sha256) DO NOTHING";
  if (table == "events" || table == "points") return sql + " ON CONFLICT (origin, id) DO NOTHING";
  if (table == "sessions") return SessionsSql(count);
  // Procedures and series change after they are first written (their end).
  std::string set;
  for (size_t col = 1; col < columns.size(); ++col)
    set += (set.empty() ? "" : ", ") + columns[col] + " = EXCLUDED." + columns[col];
  return sql + " ON CONFLICT (origin, id) DO UPDATE SET " + set;
}

// A session's shop-wide number comes from a sequence, which an INSERT takes from even when the
// row is there already: sessions seen before are updated, and only new ones inserted, so that
// the numbers run on without gaps however often a session changes.
std::string RecordSender::SessionsSql(size_t count) {
  static const char* const kTypes[] = {"text", "bigint", "text", "timestamptz", "timestamptz", "integer",
                                       "text", "text",   "text", "text",        "text",        "text",
                                       "text", "text",   "text", "integer"};
  const std::vector<std::string>& columns = Outbox::ShipColumns("sessions");
  std::string names = "origin", set;
  for (const std::string& c : columns) names += ", " + c;
  for (size_t col = 1; col < columns.size(); ++col)
    set += (set.empty() ? "" : ", ") + columns[col] + " = v." + columns[col];
  std::string values;
  size_t n = 1;
  for (size_t row = 0; row < count; ++row) {
    values += row == 0 ? "(" : ", (";
    for (size_t col = 0; col <= columns.size(); ++col)
      values += (col == 0 ? "$" : ", $") + std::to_string(n++) + "::" + kTypes[col];
    values += ")";
  }
  return "WITH v (" + names + ") AS (VALUES " + values + "), changed AS (UPDATE sessions s SET " + set +
         " FROM v WHERE s.origin = v.origin AND s.id = v.id RETURNING s.id) INSERT INTO sessions (" + names +
         ") SELECT * FROM v WHERE NOT EXISTS (SELECT 1 FROM sessions s WHERE s.origin = v.origin AND s.id = v.id)"
         " ON CONFLICT (origin, id) DO NOTHING";
}

bool RecordSender::Ship(const std::vector<Outbox::Row>& rows, std::string& why) {
  PgConnection::Result r = conn_.Exec("BEGIN");
  size_t i = 0;
  while (r.ok && i < rows.size()) {
    // A run of rows of one table, in the order they were written.
    size_t end = i;
    std::vector<PgConnection::Param> params;
    while (end < rows.size() && rows[end].table == rows[i].table && end - i < kRowsPerStatement) {
      if (!rows[end].values.empty()) {
        if (HasOrigin(rows[end].table)) params.push_back(PgConnection::Text(origin_));
        for (const Field& f : rows[end].values) params.push_back(ParamOf(f));
      }
      ++end;
    }
    if (!params.empty()) {
      const size_t width = Outbox::ShipColumns(rows[i].table).size() + (HasOrigin(rows[i].table) ? 1 : 0);
      r = conn_.Exec(InsertSql(rows[i].table, params.size() / width), params);
    }
    i = end;
  }
  if (r.ok) r = conn_.Exec("COMMIT");
  why = r.error;
  return r.ok;
}

}  // namespace qxt::record
