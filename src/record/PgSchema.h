#pragma once
// The shop's record on its PostgreSQL server: the tables of every bench's record, keyed by the
// origin (a key each bench's file made for itself) and the row's id in that file, so that a row
// sent twice is the same row; a shop-wide session number; times as UTC timestamptz; images as
// bytea once per SHA-256. schema_version holds one row per version reached; the steps run under
// an advisory lock, so two benches starting a new version at once migrate once.

#include <string>

#include "record/PgConnection.h"

namespace qxt::record {

class PgSchema {
 public:
  static constexpr int kVersion = 2;
  // Taken for the length of a migration's transaction.
  static constexpr long long kLockKey = 71307130;

  enum class Outcome { kReady, kNewer, kFailed };

  // Brings the server to kVersion. kNewer: the server holds a version this program does not
  // know (found), and nothing was written.
  static Outcome Migrate(PgConnection& c, int& found, std::string& why);
  // Builds exactly version (for tests of the migrations).
  static bool CreateAt(PgConnection& c, int version, std::string& why);

 private:
  static Outcome Run(PgConnection& c, int target, int& found, std::string& why);
};

}  // namespace qxt::record
