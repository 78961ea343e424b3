#pragma once
// The service record's tables and how a database of any earlier version is brought up to date.
// The version is SQLite's user_version; each step moves it on by one, in one transaction.
//
//   sessions    one per "Connect": port and device, model, sub code, identification data (hex),
//               the image as read (its backup file and SHA-256), how it ended, the technician
//   events      everything that happened in a session, in order: values sent (item, address,
//               before, after, why), procedures, messages, restores
//   procedures  each Enter procedure: kind, items, values before and after, outcome
//   points      every measured point of a procedure: series, setting, level
//   images      images by SHA-256: the ones read at Connect and the ones restored
//   outbox      the rows not yet on the shop's server, in the order they were written
//
// Times are UTC, "YYYY-MM-DDTHH:MM:SSZ"; the readers show them in local time.

#include <SQLiteCpp/Database.h>

#include <ctime>
#include <string>

namespace qxt::record {

class RecordSchema {
 public:
  static constexpr int kVersion = 6;

  // Brings db from whatever version it has to kVersion.
  static void Migrate(SQLite::Database& db);
  // Builds the schema of exactly version (for tests of the migrations).
  static void CreateAt(SQLite::Database& db, int version);
  static int VersionOf(SQLite::Database& db);

  // A moment as the record stores it, and the local day it falls on ("YYYY-MM-DD").
  static std::string UtcStamp(std::time_t t);
  static std::string LocalDay(std::time_t t);

 private:
  static void Step(SQLite::Database& db, int to);
};

}  // namespace qxt::record
