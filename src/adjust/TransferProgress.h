#pragma once
// The progress of a transfer: the row of 32 characters the program has always shown ("o" done,
// "." to come), and the same as a percentage with the time left, shown beside it.

#include <cstdint>

#include "adjust/TaskView.h"
#include "common/TickSource.h"

namespace qxt::adjust {

class TransferProgress {
 public:
  static constexpr int kWidth = 32;

  TransferProgress(TaskView& view, const common::TickSource& ticks) : view_(view), ticks_(ticks) {}

  // The row with n characters done (limited to 0..32).
  void Row(int n);
  // done of total bytes; the time left follows from the pace since the first call after Stop.
  void Transfer(int32_t done, int32_t total, bool cancellable);
  void Stop();
  // The clone read of a connection: the row by the last address against the end address (scaled
  // by 33 against its 32 characters, never past them), the bytes received so far.
  void CloneRead(int32_t lastAddress, int32_t received, int32_t endAddress);

 private:
  TaskView& view_;
  const common::TickSource& ticks_;
  bool running_ = false;
  int32_t startTick_ = 0;
};

}  // namespace qxt::adjust
