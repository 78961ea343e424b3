#include "adjust/Revert.h"

namespace qxt::adjust {

void Revert::ImageRead(const Bytes& image) {
  asRead_ = image;
  undo_.clear();
}

void Revert::Forget() {
  asRead_.clear();
  undo_.clear();
}

int16_t Revert::ValueAsRead(int32_t address, bool isSigned) const {
  if (address < 0 || static_cast<size_t>(address) >= asRead_.size()) return 0;
  const int16_t b = asRead_[static_cast<size_t>(address)];
  return isSigned && b >= 128 ? static_cast<int16_t>(b - 256) : b;
}

void Revert::RememberKey(int16_t item, int16_t value) {
  undo_.emplace_back(item, value);
  if (undo_.size() > kUndoDepth) undo_.pop_front();
}

std::optional<std::pair<int16_t, int16_t>> Revert::TakeUndo() {
  if (undo_.empty()) return std::nullopt;
  auto last = undo_.back();
  undo_.pop_back();
  return last;
}

}  // namespace qxt::adjust
