// The service record as a store: it keeps what it is given, across versions of its schema, and
// a file it cannot use never stops the work.
#include <SQLiteCpp/Database.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "common/Sha256.h"
#include "record/RecordReader.h"
#include "record/RecordSchema.h"
#include "record/ServiceRecord.h"
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
  record::RecordReader reader(*s.record.database());
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

  Store failing(dir.file("service.sqlite"));
  failing.record.OnTrouble([&](const std::string& why) { said.push_back(why); });
  failing.record.BeginSession(1, "", "");
  failing.record.database()->exec("PRAGMA query_only = 1");  // writes now fail, as on a full disk
  failing.record.ValueSent("Power", 0xA6, 1, 2, record::SendReason::kKey);
  failing.record.ValueSent("Power", 0xA6, 2, 3, record::SendReason::kKey);
  EXPECT_FALSE(failing.record.on());
  ASSERT_EQ(said.size(), 2u);  // once, not at every event
  EXPECT_NE(said[1].find("recording an event failed"), std::string::npos) << said[1];
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
  record::RecordReader reader(*first.record.database());
  const auto sessions = reader.Sessions();
  ASSERT_EQ(sessions.size(), 2u);
  EXPECT_EQ(sessions[0].changes + sessions[1].changes, 40);
}
