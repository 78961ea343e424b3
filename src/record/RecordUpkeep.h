#pragma once
// The service record's care beside the work, on a thread of its own with its own connection:
// the full check of every page (SQLite's quick_check, which reads the whole file) and then the
// day's copy, made only from a file that passed. A check runs at most once a day (the day's copy
// says it ran) and after a run that did not end cleanly.

#include <SQLiteCpp/Database.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace qxt::record {

class RecordUpkeep {
 public:
  enum class Finding { kNone, kRunning, kSound, kDamaged, kFailed };

  RecordUpkeep() = default;
  ~RecordUpkeep();
  RecordUpkeep(const RecordUpkeep&) = delete;
  RecordUpkeep& operator=(const RecordUpkeep&) = delete;

  // Checks the record at path and, when it is sound and copy is set, copies it as the copy of day.
  void Start(const std::string& path, const std::string& day, bool copy);
  bool running() const { return finding_ == Finding::kRunning; }
  // The finding once the work has ended (kNone before, and after it was taken), with what it found.
  Finding Take(std::string& text);
  // Waits for the work to end (tests, and the bench).
  void Wait();

 private:
  void Run(std::string path, std::string day, bool copy);
  void Stop();

  std::thread thread_;
  std::atomic<Finding> finding_{Finding::kNone};
  std::atomic<bool> stopping_{false};
  std::mutex mutex_;
  SQLite::Database* db_ = nullptr;  // under mutex_: the connection to interrupt at the end
  std::string text_;
};

}  // namespace qxt::record
