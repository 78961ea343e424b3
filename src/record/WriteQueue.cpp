#include "record/WriteQueue.h"

#include <algorithm>

#include "common/Utf8Text.h"

namespace qxt::record {

uint64_t WriteQueue::Add(PendingWrite w, bool droppable) {
  if (droppable && queue_.size() >= kLimit) {
    ++lost_;
    return 0;
  }
  for (Field& f : w.fields) {
    if (auto* text = std::get_if<std::string>(&f)) *text = common::ValidUtf8(*text);
  }
  w.token = ++tokens_;
  queue_.push_back(std::move(w));
  if (queue_.size() == 1 || clock_() >= nextTry_) Flush();
  return tokens_;
}

// In order, until the database makes one wait; then again after a pause that doubles each time.
// What waited is written many to a transaction.
void WriteQueue::Flush() {
  const bool wasBehind = pause_ != 0;
  while (!queue_.empty()) {
    std::string why;
    const size_t batch = std::min(queue_.size(), kBatch);
    RecordStore::Verdict verdict = batch > 1 ? store_.Begin(why) : RecordStore::Verdict::kWritten;
    size_t done = 0, refused = 0;
    while (verdict == RecordStore::Verdict::kWritten && done < batch) {
      verdict = store_.Apply(queue_[done], why);
      if (verdict == RecordStore::Verdict::kRefused) {
        ++refused;  // a write this record can never take: counted as lost, the rest goes on
        verdict = RecordStore::Verdict::kWritten;
      }
      if (verdict == RecordStore::Verdict::kWritten) ++done;
    }
    if (batch > 1) {
      if (verdict == RecordStore::Verdict::kWritten) {
        verdict = store_.Commit(why);
      } else {
        store_.Rollback();
      }
    }
    if (verdict == RecordStore::Verdict::kDamaged) {
      if (!hooks_.damaged(why)) return Wait(store_.problem());
      continue;
    }
    if (verdict == RecordStore::Verdict::kWait) return Wait(why);
    for (size_t i = 0; i < done; ++i) {
      hooks_.written(queue_.front());
      queue_.pop_front();
    }
    lost_ += refused;
    if (wasBehind) late_ += done;
  }
  if (wasBehind) CaughtUp();
}

void WriteQueue::Wait(const std::string& why) {
  if (pause_ == 0) {
    hooks_.say("The service record is behind: " + why + ". What happens is kept and written as soon as it can be.");
  }
  pause_ = pause_ == 0 ? 1 : std::min(pause_ * 2, kLongestPauseSeconds);
  nextTry_ = clock_() + pause_;
}

void WriteQueue::CaughtUp() {
  pause_ = 0;
  std::string text = "The service record has caught up: " + std::to_string(late_) + " events were written late.";
  late_ = 0;
  if (lost_ > 0) {
    const std::string gap = std::to_string(lost_) + " events were lost while the service record could not be written.";
    lost_ = 0;
    text += " " + gap;
    if (auto event = hooks_.gapEvent(gap)) {
      event->token = ++tokens_;
      queue_.push_back(std::move(*event));
      Flush();
    }
  }
  store_.MakeMissingSessions(false);
  hooks_.say(text);
}

}  // namespace qxt::record
