#pragma once
// The service record's writes on their way to the file, in order. What the database cannot take
// now (another program's lock, a full disk) waits in memory and is tried again after a pause that
// doubles each time, up to a minute; what waited is written many to a transaction. Writes lost
// because too many waited are counted, and named in a gap event once the record has caught up.

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "record/PendingWrite.h"
#include "record/RecordStore.h"

namespace qxt::record {

class WriteQueue {
 public:
  using Clock = std::function<std::time_t()>;
  struct Hooks {
    // A write went in (its row ids are the store's now).
    std::function<void(const PendingWrite&)> written;
    // The store found its file damaged: recover it; false when it stays unwritable.
    std::function<bool(const std::string& why)> damaged;
    // What the technician should know: the record is behind, has caught up.
    std::function<void(const std::string& text)> say;
    // The event that names lost writes in the session under way, if there is one.
    std::function<std::optional<PendingWrite>(const std::string& gap)> gapEvent;
  };

  // Writes held in memory at most while the database cannot take them.
  static constexpr size_t kLimit = 20000;
  static constexpr int kLongestPauseSeconds = 60;
  static constexpr size_t kBatch = 500;

  WriteQueue(RecordStore& store, Clock clock, Hooks hooks)
      : store_(store), clock_(std::move(clock)), hooks_(std::move(hooks)) {}

  // Queues w and writes what waits unless a pause is running. A droppable write (an event, a
  // point) is counted as lost instead when the queue is full. Returns the write's token.
  uint64_t Add(PendingWrite w, bool droppable);
  // The token the next Add gives.
  uint64_t nextToken() const { return tokens_ + 1; }
  // Writes in order until the database makes one wait.
  void Flush();
  // The pause is over and something waits.
  bool due() const { return !queue_.empty() && clock_() >= nextTry_; }
  size_t size() const { return queue_.size(); }
  bool empty() const { return queue_.empty(); }
  // The journal's writes, left by a program that ended before they were written.
  void Resume(const std::vector<PendingWrite>& waiting) { queue_.assign(waiting.begin(), waiting.end()); }
  std::vector<PendingWrite> contents() const { return {queue_.begin(), queue_.end()}; }

 private:
  void Wait(const std::string& why);
  void CaughtUp();

  RecordStore& store_;
  Clock clock_;
  Hooks hooks_;
  std::deque<PendingWrite> queue_;
  std::time_t nextTry_ = 0;
  int pause_ = 0;
  size_t lost_ = 0, late_ = 0;
  uint64_t tokens_ = 0;
};

}  // namespace qxt::record
