// The service record against what goes wrong on a bench over the years: another program's
// lock, a full disk, a program that ends while writes wait, a record of another version or of
// altered tables, a damaged file with a daily copy beside it, and eyes that are not the user's.
#include <SQLiteCpp/Database.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "record/RecordFiles.h"
#include "record/RecordSchema.h"
#include "record/ServiceRecord.h"
#include "support/TempDir.h"

using namespace qxt;
using namespace qxt::test;

namespace {

std::time_t At(int minute) { return 1796036400 + minute * 60; }  // a fixed day in 2026

// A record on a clock the test moves; a busy database is given up on at once, so that a lock
// costs the test no waiting.
struct Store {
  explicit Store(const std::string& path)
      : record(
            path, [this] { return At(0) + seconds; }, record::ServiceRecord::Use::kWorking, 0) {
    record.OnTrouble([this](const std::string& text) { said.push_back(text); });
  }
  void Later(int s) {
    seconds += s;
    record.Poll();
  }
  bool Said(const std::string& part) const {
    for (const auto& text : said) {
      if (text.find(part) != std::string::npos) return true;
    }
    return false;
  }
  int seconds = 0;
  std::vector<std::string> said;
  record::ServiceRecord record;
};

int64_t Count(SQLite::Database& db, const std::string& sql) { return db.execAndGet(sql).getInt64(); }

}  // namespace

// Another program holds the write lock far longer than the busy time-out: the events wait, in
// order, the pause between tries grows, and all are written once the lock is gone.
TEST(RecordFaults, ALockHeldLongerThanTheTimeOutLosesNothing) {
  TempDir dir;
  Store s(dir.file("service.sqlite"));
  s.record.BeginSession(1, "/dev/ttyUSB0", "");
  SQLite::Database other(dir.file("service.sqlite"), SQLite::OPEN_READWRITE);
  other.exec("BEGIN IMMEDIATE");
  for (int i = 0; i < 5; ++i) s.record.ValueSent("Power", 0xA6, 80 + i, 81 + i, record::SendReason::kKey);
  EXPECT_TRUE(s.record.behind());
  EXPECT_TRUE(s.Said("The service record is behind"));
  s.Later(1);                         // the first pause is over, the lock is not
  s.Later(1);                         // within the second, longer pause: not even tried
  EXPECT_EQ(s.record.waiting(), 6u);  // the five changes and the count of changes
  other.exec("COMMIT");
  s.Later(60);
  EXPECT_FALSE(s.record.behind());
  EXPECT_TRUE(s.Said("has caught up"));
  const auto events = s.record.reader().Events(s.record.session());
  ASSERT_EQ(events.size(), 5u);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(events[static_cast<size_t>(i)].after, 81 + i);
  EXPECT_TRUE(s.record.writable());  // and it goes on as before
  s.record.Message("notice", "after");
  EXPECT_EQ(s.record.reader().Events(s.record.session()).size(), 6u);
}

// A write the file can never take (here a trigger refuses it) is lost and counted; the rest goes on
// and nothing waits for it.
TEST(RecordFaults, AWriteThatCanNeverBeTakenDoesNotHoldTheRest) {
  TempDir dir;
  Store s(dir.file("service.sqlite"));
  s.record.BeginSession(1, "", "");
  s.record.database()->exec(
      "CREATE TRIGGER refuse BEFORE INSERT ON events WHEN NEW.item = 'BAL' BEGIN SELECT RAISE(ABORT, 'no'); END");
  s.record.ValueSent("BAL", 0x6A, 1, 2, record::SendReason::kKey);
  s.record.ValueSent("Power", 0xA6, 80, 81, record::SendReason::kKey);
  s.Later(1);
  EXPECT_FALSE(s.record.behind());
  const auto events = s.record.reader().Events(s.record.session());
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events[0].item, "Power");
}

// A disk that fills (the database's page limit stands in for it) and then has room again; while
// it was full more happened than memory holds, and the session says how much was lost.
TEST(RecordFaults, AFullDiskThenSpaceFreedKeepsWhatFitsAndCountsTheRest) {
  TempDir dir;
  Store s(dir.file("service.sqlite"));
  s.record.BeginSession(1, "", "");
  SQLite::Database& db = *s.record.database();
  db.exec("PRAGMA max_page_count = " + std::to_string(Count(db, "PRAGMA page_count")));
  s.record.SessionRadio({"2927", "0100", "AABB", "", Bytes(32112, 7)});  // the image needs pages
  s.record.BeginProcedure("BPF sweep", "BPF T1", "80");
  const size_t points = record::WriteQueue::kLimit + 10;
  for (size_t i = 0; i < points; ++i) s.record.Point("BPF T1", static_cast<int32_t>(i), 5);
  EXPECT_TRUE(s.record.behind());
  db.exec("PRAGMA max_page_count = 1000000");
  s.Later(1);
  ASSERT_FALSE(s.record.behind());
  const auto events = s.record.reader().Events(s.record.session());
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.back().kind, "gap");
  const int64_t kept = Count(db, "SELECT COUNT(*) FROM points");
  EXPECT_NE(events.back().text.find(std::to_string(points - static_cast<size_t>(kept)) + " events were lost"),
            std::string::npos)
      << events.back().text;
  EXPECT_EQ(s.record.reader().Session(s.record.session())->model, "2927");
  EXPECT_TRUE(s.Said("events were lost"));
}

// The program ends while the lock is held: what waited goes to the journal and the next start
// writes it, in the same session.
TEST(RecordFaults, WritesWaitingAtTheEndGoToTheJournalAndAreWrittenNextTime) {
  TempDir dir;
  const std::string path = dir.file("service.sqlite");
  int64_t session = 0;
  {
    SQLite::Database other(path, SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    Store s(path);
    s.record.BeginSession(1, "", "");
    session = s.record.session();
    other.exec("BEGIN IMMEDIATE");
    s.record.ValueSent("BAL", 0x6A, 1, 2, record::SendReason::kKey);
    s.record.EndSession("exit");
    EXPECT_EQ(s.record.waiting(), 3u);
    s.record.WaitForUpkeep();
  }  // the record ends first, the lock after it
  ASSERT_TRUE(std::filesystem::exists(path + ".journal"));
  EXPECT_EQ(TempDir::Mode(path + ".journal"), 0600);
  Store next(path);
  EXPECT_NE(next.record.openNote().find("3 events the program could not write"), std::string::npos)
      << next.record.openNote();
  EXPECT_FALSE(std::filesystem::exists(path + ".journal"));
  const auto summary = next.record.reader().Session(session);
  ASSERT_TRUE(summary);
  EXPECT_EQ(summary->outcome, "exit");
  EXPECT_EQ(summary->changes, 1);
  EXPECT_EQ(next.record.reader().Events(session).at(0).item, "BAL");
}

TEST(RecordFaults, ARecordOfANewerVersionIsReadButNotWritten) {
  TempDir dir;
  const std::string path = dir.file("service.sqlite");
  {
    SQLite::Database db(path, SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    record::RecordSchema::Migrate(db);
    db.exec("INSERT INTO sessions (started, model) VALUES ('2026-01-02T10:00:00Z', '2927')");
    db.exec("PRAGMA user_version = 99");
  }
  Store s(path);
  EXPECT_TRUE(s.record.on());
  EXPECT_FALSE(s.record.writable());
  EXPECT_NE(s.record.openNote().find("newer version of this program (its version 99"), std::string::npos)
      << s.record.openNote();
  EXPECT_EQ(s.record.reader().Sessions().size(), 1u);
  s.record.BeginSession(1, "", "");  // the work goes on unrecorded
  s.record.Message("notice", "x");
  EXPECT_FALSE(s.record.inSession());
  SQLite::Database db(path, SQLite::OPEN_READONLY);
  EXPECT_EQ(Count(db, "SELECT COUNT(*) FROM sessions"), 1);
  EXPECT_EQ(Count(db, "PRAGMA user_version"), 99);
}

TEST(RecordFaults, TablesAlteredBehindTheProgramsBackTurnTheRecordOffWithAReason) {
  TempDir dir;
  const std::string path = dir.file("service.sqlite");
  {
    SQLite::Database db(path, SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    record::RecordSchema::Migrate(db);
    db.exec("ALTER TABLE events RENAME COLUMN kind TO sort");
  }
  Store s(path);
  EXPECT_FALSE(s.record.on());
  EXPECT_NE(s.record.problem().find("are not the ones this program knows"), std::string::npos) << s.record.problem();
  s.record.BeginSession(1, "", "");
  EXPECT_FALSE(s.record.inSession());
  // A reader given such a file says so by an exception its callers turn into a message.
  SQLite::Database db(path, SQLite::OPEN_READONLY);
  EXPECT_THROW(record::SqliteReader(db).Events(1), SQLite::Exception);
}

// Damage found at open: the file is moved aside and the record goes on from the day's copy.
TEST(RecordFaults, ADamagedFileIsRecoveredFromTheNewestGoodCopy) {
  const std::vector<std::pair<std::string, std::function<void(const std::string&)>>> damages = {
      {"truncated", [](const std::string& p) { std::filesystem::resize_file(p, 4096 * 2); }},
      {"header overwritten",
       [](const std::string& p) {
         std::string bytes = TempDir::Read(p);
         std::fill(bytes.begin(), bytes.begin() + 100, 'x');
         TempDir::Write(p, bytes);
       }},
  };
  for (const auto& [name, damage] : damages) {
    TempDir dir;
    const std::string path = dir.file("service.sqlite");
    {
      Store s(path);
      for (int i = 0; i < 2; ++i) s.record.BeginSession(1, "copied " + std::to_string(i), "");
      s.record.EndSession("closed");
      s.record.WaitForUpkeep();
    }
    std::filesystem::remove_all(record::RecordFiles::CopiesDirectory(path));  // that one was of the new record
    {
      Store s(path);
      s.record.WaitForUpkeep();
      s.record.BeginSession(1, "after the copy", "");
      s.record.SessionRadio({"2927", "0100", "AABB", "", Bytes(32112, 1)});
      s.record.EndSession("closed");
    }
    const auto copies = record::RecordFiles::Copies(path);
    ASSERT_EQ(copies.size(), 1u) << name;
    EXPECT_EQ(TempDir::Mode(copies[0].path), 0600) << name;
    damage(path);
    Store s(path);
    ASSERT_TRUE(s.record.writable()) << name;
    EXPECT_NE(s.record.openNote().find("goes on from its daily copy of " + copies[0].day), std::string::npos)
        << name << ": " << s.record.openNote();
    const auto sessions = s.record.reader().Sessions();
    ASSERT_EQ(sessions.size(), 2u) << name;
    EXPECT_EQ(sessions[0].device, "copied 1") << name;
    bool aside = false;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
      aside |= entry.path().filename().string().rfind("service.sqlite.damaged-", 0) == 0;
    EXPECT_TRUE(aside) << name;
  }
}

// Damage that appears while the program runs is found by the next daily check, said, and the
// session goes on in the recovered record.
TEST(RecordFaults, DamageFoundByTheDailyCheckIsRecoveredWhileTheWorkGoesOn) {
  TempDir dir;
  const std::string path = dir.file("service.sqlite");
  Store s(path);
  s.record.WaitForUpkeep();
  s.record.BeginSession(1, "", "");
  for (int i = 0; i < 200; ++i) s.record.Message("notice", std::string(200, 'n'));
  s.record.database()->exec("PRAGMA wal_checkpoint(TRUNCATE)");
  std::string bytes = TempDir::Read(path);
  ASSERT_GT(bytes.size(), 4096u * 4);
  std::fill(bytes.begin() + 4096, bytes.begin() + 4096 * 3, 'x');
  TempDir::Write(path, bytes);
  s.Later(24 * 3600);  // the next day: its check starts
  s.record.WaitForUpkeep();
  s.record.Poll();
  EXPECT_TRUE(s.Said("failed its daily check")) << (s.said.empty() ? "" : s.said.back());
  EXPECT_TRUE(s.Said("goes on from its daily copy"));
  s.record.Message("notice", "after the recovery");
  const auto events = s.record.reader().Events(s.record.session());
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].text, "after the recovery");
  EXPECT_NE(s.record.reader().Session(s.record.session())->outcomeText.find("recovered"), std::string::npos);
}

TEST(RecordFaults, EverythingInTheDataFolderIsTheUsersOnly) {
  TempDir dir;
  const mode_t old = ::umask(022);
  const std::string folder = dir.file("data/qxt7130-adj"), path = folder + "/service.sqlite";
  {
    Store s(path);
    s.record.BeginSession(1, "", "");
    s.record.WaitForUpkeep();
    EXPECT_EQ(TempDir::Mode(folder), 0700);
    EXPECT_EQ(TempDir::Mode(path), 0600);
    EXPECT_EQ(TempDir::Mode(path + "-wal"), 0600);
    EXPECT_EQ(TempDir::Mode(record::RecordFiles::CopiesDirectory(path)), 0700);
    ASSERT_EQ(record::RecordFiles::Copies(path).size(), 1u);
    EXPECT_EQ(TempDir::Mode(record::RecordFiles::Copies(path)[0].path), 0600);
  }
  ::umask(old);
}

TEST(RecordFaults, CopiesAreKeptForSevenDaysAndOneAWeekForFourWeeks) {
  std::vector<std::string> days;
  for (int d = 1; d <= 30; ++d) days.push_back("2026-11-" + std::string(d < 10 ? "0" : "") + std::to_string(d));
  days.push_back("2026-10-01");
  const std::string today = "2026-11-30";
  std::vector<std::string> kept;
  for (const auto& d : days) {
    if (record::RecordFiles::Keep(d, days, today)) kept.push_back(d);
  }
  // The last 7 days, then the newest of each week before, back four weeks.
  const std::vector<std::string> expected = {"2026-11-02", "2026-11-09", "2026-11-16", "2026-11-23",
                                             "2026-11-24", "2026-11-25", "2026-11-26", "2026-11-27",
                                             "2026-11-28", "2026-11-29", "2026-11-30"};
  EXPECT_EQ(kept, expected);
}

// A lock held while the record is opened (its tables being brought up to date) does not turn it
// off for the run: the session waits and is written once the lock is gone.
TEST(RecordFaults, ALockAtOpenOnlyDelaysTheRecord) {
  TempDir dir;
  const std::string path = dir.file("service.sqlite");
  {
    SQLite::Database db(path, SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    record::RecordSchema::CreateAt(db, 4);
  }
  SQLite::Database other(path, SQLite::OPEN_READWRITE);
  other.exec("BEGIN IMMEDIATE");
  Store s(path);
  EXPECT_FALSE(s.record.on());
  EXPECT_TRUE(s.record.accepting());
  s.record.BeginSession(1, "/dev/ttyUSB0", "");
  s.record.Message("notice", "while locked");
  EXPECT_TRUE(s.record.behind());
  other.exec("COMMIT");
  s.Later(2);
  ASSERT_TRUE(s.record.writable());
  EXPECT_FALSE(s.record.behind());
  EXPECT_EQ(s.record.reader().Events(s.record.session()).at(0).text, "while locked");
}

// Damage met by a write: the file is moved aside at once and the write goes into the recovered
// record, in the session under way.
TEST(RecordFaults, DamageMetByAWriteIsRecoveredAtOnce) {
  TempDir dir;
  const std::string path = dir.file("service.sqlite");
  Store s(path);
  s.record.WaitForUpkeep();
  s.record.BeginSession(1, "", "");
  s.record.Message("notice", "before");
  SQLite::Database& db = *s.record.database();
  db.exec("PRAGMA wal_checkpoint(TRUNCATE)");
  const int64_t root = Count(db, "SELECT rootpage FROM sqlite_master WHERE name = 'events'");
  const int64_t pageSize = Count(db, "PRAGMA page_size");
  std::string bytes = TempDir::Read(path);
  std::fill(bytes.begin() + (root - 1) * pageSize, bytes.begin() + root * pageSize, '\xff');
  TempDir::Write(path, bytes);
  {
    // Another program's write makes this one read the file again.
    SQLite::Database other(path, SQLite::OPEN_READWRITE);
    other.exec("INSERT INTO images (sha256, bytes) VALUES ('x', x'00')");
  }
  s.record.Message("notice", "after");
  EXPECT_TRUE(s.Said("was damaged")) << (s.said.empty() ? "" : s.said.back());
  EXPECT_TRUE(s.record.writable());
  const auto events = s.record.reader().Events(s.record.session());
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].text, "after");
}
