#pragma once
// The seventeen console items of the QZ-R700, in console order. Titles are ten characters,
// right-aligned. Fields left at their defaults keep the console's defaults.

#include <cstdint>

namespace qxt::model {

enum class ItemRole { kNone, kChNo, kBal, kMod, kBpfSweep, kBpfT1, kRxLva, kLvRxLva, kLvTxLva, kRssi, kDigMode };

struct ItemSpec {
  const char* title;
  bool setRange;
  int16_t min, max;
  int32_t eeAdr;      // -1: no EEPROM byte
  int16_t e8Command;  // -1: no built-in live command
  bool bar;
  bool loop;
  int16_t eventDisp, eventSendE8, eventEnter;  // -1: none
  ItemRole role;
};

inline constexpr ItemSpec kRigK70RItems[] = {
    {"    CH No.", true, 0, 0, -1, 0x00, false, true, 0, 0, -1, ItemRole::kChNo},
    {"     Power", true, 0, 255, 0xA6, 0x0B, true, false, -1, -1, -1, ItemRole::kNone},
    {"       BAL", true, 0, 255, 0x6A, 0x11, true, false, -1, -1, -1, ItemRole::kBal},
    {"       MOD", true, 0, 255, 0x69, 0x0D, true, false, -1, -1, -1, ItemRole::kMod},
    {"   Dig MOD", true, 0, 255, 0x77, 0x1A, true, false, -1, -1, -1, ItemRole::kNone},
    {" CTCS/DTCS", true, 0, 255, 0x53, 0x0F, true, false, -1, -1, -1, ItemRole::kNone},
    {"       SQL", true, 0, 255, 0x131, 0x08, true, false, -1, -1, -1, ItemRole::kNone},
    {"       REF", true, 0, 255, 0xAD, 0x05, true, false, -1, -1, -1, ItemRole::kNone},
    {"   BPF ALL", false, 0, 255, -1, -1, false, false, 2, -1, 7, ItemRole::kBpfSweep},
    {"    BPF T1", true, 0, 255, 0x54, 0x13, true, false, 3, -1, 3, ItemRole::kBpfT1},
    {"    BPF T2", true, 0, 255, 0x55, 0x14, true, false, 3, -1, 4, ItemRole::kNone},
    {"    RX LVA", true, 0, 255, 0x5C, 0x06, true, false, 6, -1, 8, ItemRole::kRxLva},
    {"    TX LVA", true, 0, 255, 0x5D, 0x07, true, false, 6, -1, 9, ItemRole::kNone},
    {"LV(RX LVA)", false, 0, 255, -1, -1, true, false, 7, -1, -1, ItemRole::kLvRxLva},
    {"LV(TX LVA)", false, 0, 255, -1, -1, true, false, 7, -1, -1, ItemRole::kLvTxLva},
    {"      RSSI", false, 0, 255, -1, -1, false, false, 4, -1, 1, ItemRole::kRssi},
    {"  Dig Mode", true, 1, 14, -1, 0x30, true, false, -1, -1, -1, ItemRole::kDigMode},
};

}  // namespace qxt::model
