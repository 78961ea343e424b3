#include "adjust/Revert.h"

#include "adjust/ItemTable.h"

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

void Revert::RevertItems(console::clsConsole& con, ReasonedSender& sender, PutBack& putBack,
                         const memory::clsCmcEeprom& image) const {
  for (int16_t i = 0; i < con.ListCount(); ++i) {
    int16_t v = con.Value(i);
    if (con.EeAdr(i) >= 0) v = ValueAsRead(con.EeAdr(i), con.EeDataSigned(i));
    // The LV targets live in bytes of their own.
    if (i == Index(Item::kLvRxLva)) v = ValueAsRead(0xAE, false);
    if (i == Index(Item::kLvTxLva)) v = ValueAsRead(0xAF, false);
    if (v == con.Value(i)) continue;
    sender.ItemReason(con.E8Command(i), common::SendReason::kRevert);
    con.Value(i, v);
  }
  const struct {
    int16_t command;
    int32_t address;
  } points[] = {{0x16, 0xAA}, {0x15, 0xA9}};
  for (const auto& p : points) {
    const auto asRead = static_cast<uint8_t>(ValueAsRead(p.address, false));
    if (image.ReadByte(p.address) == asRead) continue;
    putBack.Add(p.command, p.address, asRead, 0, p.address == 0xAA ? "RSSI S3" : "RSSI S1",
                common::SendReason::kRevert);
  }
}

bool Revert::UndoLast(console::clsConsole& con, ReasonedSender& sender) {
  const auto last = TakeUndo();
  if (!last) return false;
  sender.ItemReason(con.E8Command(last->first), common::SendReason::kUndo);
  con.Value(last->first, last->second);
  return true;
}

}  // namespace qxt::adjust
