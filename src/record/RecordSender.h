#pragma once
// The thread that ships this bench's record to the shop's server: the rows owed, oldest first,
// many to a transaction, each statement idempotent (a row already there is left as it is, or
// brought to the state it has now), so that a batch sent again after a reply lost on the way
// adds nothing twice. A row leaves the list only after the server committed it. When the server
// cannot be reached it tries again after a pause that doubles up to a minute; a server whose
// record is newer than this program is not written. Nothing here ever makes the program wait.

#include <atomic>
#include <condition_variable>
#include <ctime>
#include <mutex>
#include <string>
#include <thread>

#include "record/Outbox.h"
#include "record/PgConnection.h"

namespace qxt::record {

class RecordSender {
 public:
  enum class Link { kStarting, kConnected, kOffline, kNewerServer, kRefused };
  struct Status {
    Link link = Link::kStarting;
    int64_t waiting = 0;    // rows owed
    std::time_t since = 0;  // when the oldest of them was written
    int64_t sent = 0;       // rows the server committed since the start
    std::string problem;    // why the server is not written, in words
  };

  static constexpr size_t kBatch = 500;
  static constexpr int kFirstPauseMs = 500;
  static constexpr int kLongestPauseMs = 60000;
  static constexpr int kIdleWaitMs = 1000;
  // After a batch that emptied the list, rows gather this long before the next: the record's
  // file sees a few short writes of the sender a second, not one for each event.
  static constexpr int kGatherMs = 250;

  RecordSender(std::string recordPath, std::string conninfo);
  ~RecordSender();
  RecordSender(const RecordSender&) = delete;
  RecordSender& operator=(const RecordSender&) = delete;

  // Something new is owed: the sender looks at once instead of at its next round.
  void Nudge();
  Status status() const;
  // The statement of one table for count rows (for tests and the bench).
  static std::string InsertSql(const std::string& table, size_t count);
  static std::string SessionsSql(size_t count);

 private:
  void Run();
  bool Step();
  bool Ship(const std::vector<Outbox::Row>& rows, std::string& why);
  void Publish(Link link, const std::string& problem);
  // A pause after a failure runs its length (new rows do not make the server come back); an
  // idle wait ends with the first new row.
  void Sleep(int ms, bool untilNudged);

  Outbox outbox_;
  std::string conninfo_, origin_;
  std::atomic<bool> stop_{false};
  PgConnection conn_{&stop_};
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  bool nudged_ = false;
  Status status_;
  std::thread thread_;
};

}  // namespace qxt::record
