#pragma once
// The files around the service record: the cheap check of a file's header at open, a damaged
// file moved aside, and the daily copies (copies/service-YYYY-MM-DD.sqlite beside the record:
// the last 7 days and one a week for the last 4 weeks).

#include <ctime>
#include <string>
#include <vector>

namespace qxt::record {

class RecordFiles {
 public:
  struct Copy {
    std::string day, path;  // "YYYY-MM-DD"
  };

  // Why the file cannot be an intact database, judged from its first 100 bytes and its size
  // (a foreign or overwritten header, a file shorter than its header says), or "".
  static std::string HeaderProblem(const std::string& path);
  // Moves the file and its WAL files to PATH.damaged-STAMP. The new name, or "" when it could not.
  static std::string MoveAside(const std::string& path, const std::string& stamp);
  // A moment in local time as a file name takes it: 20261207-153000.
  static std::string LocalStamp(std::time_t t);

  static std::string CopiesDirectory(const std::string& recordPath);
  static std::string CopyPath(const std::string& recordPath, const std::string& day);
  // The copies there are, newest first.
  static std::vector<Copy> Copies(const std::string& recordPath);
  // Which of the days to keep on today: the last 7 days, and the newest of each of the 4 weeks before.
  static bool Keep(const std::string& day, const std::vector<std::string>& days, const std::string& today);
  static void Prune(const std::string& recordPath, const std::string& today);
  // The newest copy that passes SQLite's quick_check, or none (day and path empty).
  static Copy NewestGoodCopy(const std::string& recordPath);
  static bool Sound(const std::string& databasePath, std::string& why);
};

}  // namespace qxt::record
