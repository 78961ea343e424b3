#include "adjust/LiveUpdate.h"

#include "common/Common.h"

namespace qxt::adjust {

bool LiveUpdate::SendMirror() {
  if (!mirrorDue_) return false;
  mirrorDue_ = false;
  MirrorBal();
  return sender_.Busy();
}

bool LiveUpdate::Run() {
  if (SendMirror()) return false;
  for (int16_t i = 0; i < console_.ListCount(); ++i) {
    if (!console_.flgChanged(i)) continue;
    console_.flgChanged(i, false);
    console_.SendE8(i);
    if (i == Index(Item::kBal)) mirrorDue_ = true;
    if (sender_.Busy()) return false;
  }
  return true;
}

void LiveUpdate::MirrorBal() {
  const int16_t v = console_.Value(Index(Item::kBal));
  const struct {
    int32_t address;
    int16_t command;
  } mirrors[] = {{0x71, 0x12}, {0x63, 0x10}, {0x78, 0x1B}};
  for (const auto& m : mirrors) {
    if (image_.ReadByte(m.address) == v) continue;
    sender_.Send({static_cast<uint8_t>(m.command), static_cast<uint8_t>(v & 0xFF), common::SendReason::kMirror});
    image_.WriteByte(m.address, static_cast<uint8_t>(v));
    console_.flgChanged(Index(Item::kBal), true);
    return;
  }
}

}  // namespace qxt::adjust
