// The service record as a store: it keeps what it is given, across versions of its schema, and
// a file it cannot use never stops the work.
#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "common/Sha256.h"
#include "record/RecordSchema.h"
#include "record/ServiceRecord.h"
#include "record/SqliteReader.h"
#include "support/TempDir.h"

using namespace qxt;
using namespace qxt::test;

namespace {

std::time_t At(int minute) { return 1796036400 + minute * 60; }  // a fixed day in 2026

struct Store {
  explicit Store(const std::string& path) : record(path, [this] { return At(now); }) {}
  int now = 0;
  record::ServiceRecord record;
};

}  // namespace

TEST(ServiceRecord, AnOlderDatabaseIsBroughtUpToDateWithItsData) {
  TempDir dir;
  {
    SQLite::Database db(dir.file("service.sqlite"), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    record::RecordSchema::CreateAt(db, 1);
    ASSERT_EQ(record::RecordSchema::VersionOf(db), 1);
    db.exec("INSERT INTO sessions (started, model, outcome) VALUES ('2025-01-02 10:00:00', '2927', 'closed')");
    db.exec("INSERT INTO events (session_id, at, kind, item) VALUES (1, '2025-01-02 10:00:01', 'change', 'BAL')");
  }
  Store s(dir.file("service.sqlite"));
  ASSERT_TRUE(s.record.on());
  EXPECT_EQ(record::RecordSchema::VersionOf(*s.record.database()), record::RecordSchema::kVersion);
  record::SqliteReader reader(*s.record.database());
  ASSERT_EQ(reader.Sessions().size(), 1u);
  EXPECT_EQ(reader.Events(1).at(0).item, "BAL");
  s.record.BeginSession(1, "/dev/ttyUSB0", "B");  // the new columns take values
  EXPECT_EQ(reader.Sessions().at(0).technician, "B");
}

TEST(ServiceRecord, ADamagedFileIsMovedAsideAndANewOneStarted) {
  TempDir dir;
  TempDir::Write(dir.file("service.sqlite"), std::string(4096, 'x'));
  Store s(dir.file("service.sqlite"));
  ASSERT_TRUE(s.record.on());
  EXPECT_NE(s.record.openNote().find("moved to " + dir.file("service.sqlite.damaged-")), std::string::npos)
      << s.record.openNote();
  int aside = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    if (entry.path().filename().string().rfind("service.sqlite.damaged-", 0) == 0) {
      ++aside;
      EXPECT_EQ(TempDir::Read(entry.path().string()), std::string(4096, 'x'));  // kept as it was
    }
  }
  EXPECT_EQ(aside, 1);
  s.record.BeginSession(1, "", "");
  EXPECT_TRUE(s.record.inSession());
}

TEST(ServiceRecord, AFileThatCannotBeUsedTurnsTheRecordOffAndSaysSoOnce) {
  TempDir dir;
  TempDir::Write(dir.file("not-a-folder"), "");
  Store unopenable(dir.file("not-a-folder") + "/service.sqlite");
  EXPECT_FALSE(unopenable.record.on());
  std::vector<std::string> said;
  unopenable.record.OnTrouble([&](const std::string& why) { said.push_back(why); });
  ASSERT_EQ(said.size(), 1u);
  EXPECT_NE(said[0].find("The service record is off"), std::string::npos);
  unopenable.record.BeginSession(1, "", "");  // nothing happens, nothing breaks
  EXPECT_FALSE(unopenable.record.inSession());
}

TEST(ServiceRecord, TwoCopiesShareTheFile) {
  TempDir dir;
  Store first(dir.file("service.sqlite")), second(dir.file("service.sqlite"));
  first.record.BeginSession(1, "/dev/ttyUSB0", "");
  second.record.BeginSession(2, "/dev/ttyUSB1", "");
  for (int i = 0; i < 20; ++i) {
    first.record.ValueSent("Power", 0xA6, i, i + 1, record::SendReason::kKey);
    second.record.ValueSent("BAL", 0x6A, i, i + 1, record::SendReason::kKey);
  }
  ASSERT_TRUE(first.record.on() && second.record.on());
  record::SqliteReader reader(*first.record.database());
  const auto sessions = reader.Sessions();
  ASSERT_EQ(sessions.size(), 2u);
  EXPECT_EQ(sessions[0].changes + sessions[1].changes, 2);  // one item changed in each
  EXPECT_EQ(reader.Events(sessions[0].id).size() + reader.Events(sessions[1].id).size(), 40u);
}

// Every query the reader, the exports and the report run finds its rows through an index: at
// most the session list itself is read in order, never a table once per listed session.
TEST(ServiceRecord, EveryQueryOfTheReadersRunsOnAnIndex) {
  TempDir dir;
  Store s(dir.file("service.sqlite"));
  s.record.BeginSession(1, "/dev/ttyUSB0", "Ann");
  s.record.SessionRadio({"2927", "0100", "AABB", "", Bytes(32112, 3)});
  s.record.ValueSent("Power", 0xA6, 1, 2, record::SendReason::kKey);
  s.record.BeginProcedure("BPF sweep", "BPF T1", "80");
  s.record.SeriesStarted("BPF T1", 80, std::nullopt);
  s.record.Point("BPF T1", 1, 2);
  s.record.EndProcedure("81", "done", "");
  std::vector<std::string> statements;
  sqlite3_trace_v2(
      s.record.database()->getHandle(), SQLITE_TRACE_STMT,
      [](unsigned, void* out, void* stmt, void*) {
        static_cast<std::vector<std::string>*>(out)->push_back(sqlite3_sql(static_cast<sqlite3_stmt*>(stmt)));
        return 0;
      },
      &statements);
  const record::RecordReader& reader = s.record.reader();
  reader.Sessions({"ann", "2026-01-01", "2026-12-31", ""});
  reader.Page({}, 0, 100, 5000);
  reader.Session(1);
  reader.ImageAfter(1);
  reader.Procedures(1);
  reader.ReadIn(common::Sha256Hex(Bytes(32112, 3)));
  reader.LastRestoreOf("AABB");
  sqlite3_trace_v2(s.record.database()->getHandle(), 0, nullptr, nullptr);
  ASSERT_GE(statements.size(), 8u);
  for (const std::string& sql : statements) {
    SQLite::Statement plan(*s.record.database(), "EXPLAIN QUERY PLAN " + sql);
    while (plan.executeStep()) {
      const std::string detail = plan.getColumn(3).getString();
      EXPECT_EQ(detail.find("AUTOMATIC"), std::string::npos) << sql << "\n" << detail;  // built each run
      if (detail.rfind("SCAN", 0) != 0) continue;
      // Only the list of sessions may be read in order (newest first, by its key), and only at
      // the top of the query.
      EXPECT_EQ(plan.getColumn(1).getInt(), 0) << sql << "\n" << detail;
      EXPECT_EQ(detail.rfind("SCAN s", 0), 0u) << sql << "\n" << detail;
    }
  }
}

// Times are kept in UTC; a record written in local time is moved to UTC and shown as before.
TEST(ServiceRecord, LocalTimesOfAnOlderRecordBecomeUtcAndAreShownLocally) {
  const char* oldZone = std::getenv("TZ");
  const std::string saved = oldZone ? oldZone : "";
  setenv("TZ", "EST5", 1);
  tzset();
  TempDir dir;
  {
    SQLite::Database db(dir.file("service.sqlite"), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    record::RecordSchema::CreateAt(db, 4);
    db.exec(
        "INSERT INTO sessions (started, ended, outcome) VALUES ('2025-01-02 10:00:00', '2025-01-02 10:30:00', "
        "'closed')");
    db.exec("INSERT INTO events (session_id, at, kind) VALUES (1, '2025-01-02 10:00:01', 'notice')");
  }
  {
    Store s(dir.file("service.sqlite"));
    SQLite::Database& db = *s.record.database();
    EXPECT_EQ(db.execAndGet("SELECT started || ' ' || ended FROM sessions").getString(),
              "2025-01-02T15:00:00Z 2025-01-02T15:30:00Z");
    EXPECT_EQ(db.execAndGet("SELECT at FROM events").getString(), "2025-01-02T15:00:01Z");
    const record::RecordReader& reader = s.record.reader();
    EXPECT_EQ(reader.Session(1)->started, "2025-01-02 10:00:00");
    EXPECT_EQ(reader.Events(1).at(0).at, "2025-01-02 10:00:01");
    EXPECT_EQ(reader.Sessions({"", "2025-01-02", "2025-01-02", ""}).size(), 1u);  // the local day
    EXPECT_EQ(reader.Sessions({"", "2025-01-03", "", ""}).size(), 0u);
    s.now = 0;
    s.record.BeginSession(1, "", "");
    EXPECT_EQ(db.execAndGet("SELECT started FROM sessions WHERE id = 2").getString(), "2026-11-30T11:00:00Z");
  }
  if (oldZone) {
    setenv("TZ", saved.c_str(), 1);
  } else {
    unsetenv("TZ");
  }
  tzset();
}

// "Changes" counts the items that differ from what the radio held when the session began.
TEST(ServiceRecord, ChangesCountOnlyValuesThatDifferFromTheRadioAsFound) {
  using R = record::SendReason;
  struct Send {
    const char* item;
    std::optional<int32_t> before;
    int32_t after;
    R why;
  };
  const struct {
    const char* what;
    std::vector<Send> sends;
    int changes;
  } cases[] = {
      {"the values a Connect sends", {{"Power", 82, 82, R::kConnect}, {"Mode", std::nullopt, 3, R::kConnect}}, 0},
      {"a key", {{"Power", 82, 82, R::kConnect}, {"Power", 82, 90, R::kKey}}, 1},
      {"a value changed and put back",
       {{"Power", 82, 90, R::kKey}, {"Power", 90, 82, R::kRevert}, {"BAL", 5, 6, R::kKey}},
       1},
      {"an item without a value before", {{"Mode", std::nullopt, 3, R::kConnect}, {"Mode", 3, 4, R::kKey}}, 1},
  };
  for (const auto& c : cases) {
    TempDir dir;
    Store s(dir.file("service.sqlite"));
    s.record.BeginSession(1, "", "");
    for (const Send& send : c.sends) s.record.ValueSent(send.item, 0, send.before, send.after, send.why);
    EXPECT_EQ(s.record.reader().Session(s.record.session())->changes, c.changes) << c.what;
  }
}

// A restore cut off by a failed link ends in its own session, though the next has begun since.
TEST(ServiceRecord, ARestoreEndsInItsOwnSession) {
  TempDir dir;
  record::ServiceRecord r(dir.file("service.sqlite"));
  r.BeginSession(1, "", "");
  r.RestoreStarted("a.bin", Bytes(32112, 1));
  r.EndSession("error");
  r.BeginSession(1, "", "");
  r.RestoreEnded(record::RestoreOutcome::kLinkFailed, 160, "partly written");
  EXPECT_EQ(r.reader().Events(1).back().after, 160);
  EXPECT_TRUE(r.reader().Events(2).empty());
}
