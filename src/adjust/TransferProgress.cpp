#include "adjust/TransferProgress.h"

#include <cmath>

#include <algorithm>
#include <string>

namespace qxt::adjust {

void TransferProgress::Row(int n) {
  n = std::clamp(n, 0, kWidth);
  view_.setCaption(Control::kLblProgress,
                   std::string(static_cast<size_t>(n), 'o') + std::string(static_cast<size_t>(kWidth - n), '.'));
}

void TransferProgress::Transfer(int32_t done, int32_t total, bool cancellable) {
  const int32_t now = ticks_.tickCount();
  if (!running_) {
    running_ = true;
    startTick_ = now;
  }
  done = std::clamp(done, 0, std::max(total, 0));
  const int percent = total > 0 ? static_cast<int>(int64_t{done} * 100 / total) : 0;
  const auto elapsed = static_cast<int64_t>(static_cast<uint32_t>(now) - static_cast<uint32_t>(startTick_));
  // The first seconds say too little about the pace to promise anything.
  const int secondsLeft = done > 0 && elapsed >= 1000 ? static_cast<int>(elapsed * (total - done) / done / 1000) : -1;
  view_.showTransfer(percent, secondsLeft, cancellable);
}

void TransferProgress::Stop() {
  if (running_) view_.hideTransfer();
  running_ = false;
}

void TransferProgress::CloneRead(int32_t lastAddress, int32_t received, int32_t endAddress) {
  const double share = endAddress > 0 ? static_cast<double>(lastAddress) / endAddress * 33 : 0;
  Row(static_cast<int>(std::clamp(std::floor(share), 0.0, 32.0)));
  Transfer(received, endAddress, false);
}

}  // namespace qxt::adjust
