#pragma once
// What the technician can take back: the image as it was read at Connect (Revert) and the value
// changes made by key, the newest first (Undo).

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <utility>

#include "adjust/PutBack.h"
#include "adjust/ReasonedSender.h"
#include "common/Bytes.h"
#include "console/clsConsole.h"
#include "memory/clsCmcEeprom.h"

namespace qxt::adjust {

class Revert {
 public:
  // Key changes kept for Undo; older ones are forgotten.
  static constexpr size_t kUndoDepth = 200;

  // A new image was read: it is what Revert goes back to, and Undo starts empty.
  void ImageRead(const Bytes& image);
  void Forget();
  bool hasImage() const { return !asRead_.empty(); }
  const Bytes& asRead() const { return asRead_; }
  // The byte as read, as the item shows it (signed items from -128).
  int16_t ValueAsRead(int32_t address, bool isSigned) const;

  // A key is about to change item, which shows value.
  void RememberKey(int16_t item, int16_t value);
  // The item and value of the last change by key; nullopt when there is none.
  std::optional<std::pair<int16_t, int16_t>> TakeUndo();

  // The last change by key taken back (the live update sends it, recorded as an undo); false
  // when there is none.
  bool UndoLast(console::clsConsole& con, ReasonedSender& sender);
  // Every item that differs from the image as read takes its value from it (the live update
  // sends it, recorded as a revert); the RSSI points, which no item shows, are put back.
  void RevertItems(console::clsConsole& con, ReasonedSender& sender, PutBack& putBack,
                   const memory::clsCmcEeprom& image) const;

 private:
  Bytes asRead_;
  std::deque<std::pair<int16_t, int16_t>> undo_;
};

}  // namespace qxt::adjust
