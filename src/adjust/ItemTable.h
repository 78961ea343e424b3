#pragma once
// The seventeen console items of the QZ-R700, and the event numbers through which the console
// hands their lines, live commands and Enter actions to clsIndOp_RigK70R.

#include <cstdint>
#include <string>

#include "console/clsConsole.h"

namespace qxt::adjust {

// Which line text an item's Event_Disp asks ConsEv_Disp for.
enum class DispEvent : int16_t {
  kChannel = 0,    // CH No.: channel, receive frequency, mode
  kBpfAll = 2,     // BPF ALL: the sweep prompt
  kBpfFilter = 3,  // BPF T1, BPF T2: value, bar and the sweep prompt
  kRssi = 4,       // RSSI: the calibration prompt
  kLva = 6,        // RX LVA, TX LVA: value, bar, the prompt and a failed mark
  kLvTarget = 7,   // LV(RX LVA), LV(TX LVA): value, bar and the level as a voltage
};

// Which live command an item's Event_SendE8 asks ConsEv_SendE8 for.
enum class SendEvent : int16_t {
  kChannel = 0,  // the channel number from the channel list
};

// Which procedure an item's Event_Enter asks ConsEv_Enter for.
enum class EnterEvent : int16_t {
  kRssi = 1,
  kBpfT1 = 3,
  kBpfT2 = 4,
  kBpfAll = 7,
  kRxLva = 8,
  kTxLva = 9,
};

// The seventeen items, in their order on the console; an item's number is its line.
enum class Item : int16_t {
  kChNo = 0,
  kPower = 1,
  kBal = 2,
  kMod = 3,
  kDigMod = 4,
  kCtcsDtcs = 5,
  kSql = 6,
  kRef = 7,
  kBpfAll = 8,
  kBpfT1 = 9,
  kBpfT2 = 10,
  kRxLva = 11,
  kTxLva = 12,
  kLvRxLva = 13,
  kLvTxLva = 14,
  kRssi = 15,
  kDigMode = 16,
};

inline constexpr int16_t kRigK70RItemCount = 17;

// The console line of an item.
constexpr int16_t Index(Item item) { return static_cast<int16_t>(item); }

// Adds the items to an emptied console, in their order.
void AddRigK70RItems(console::clsConsole& console);

// What a live command sets: the item's name and its EEPROM byte (negative: none). The commands
// of the items, the BAL mirrors, the RSSI points and the fixed command of a connection.
struct CommandTarget {
  std::string name;
  int32_t address = -1;
};
// Every command byte's target, looked up in a table made once.
const CommandTarget& TargetOf(uint8_t command);

}  // namespace qxt::adjust
