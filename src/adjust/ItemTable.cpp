#include "adjust/ItemTable.h"

#include <array>

namespace qxt::adjust {

namespace {

constexpr int16_t kNone = -1;
constexpr int16_t D(DispEvent e) { return static_cast<int16_t>(e); }
constexpr int16_t S(SendEvent e) { return static_cast<int16_t>(e); }
constexpr int16_t E(EnterEvent e) { return static_cast<int16_t>(e); }

struct ItemSpec {
  const char* title;  // ten characters, right-aligned
  bool setRange;
  int16_t min, max;
  int32_t eeAdr;      // kNone: no EEPROM byte
  int16_t e8Command;  // kNone: no built-in live command
  bool bar;
  bool loop;
  int16_t eventDisp, eventSendE8, eventEnter;
  Item item;  // where the item sits on the console
};

// clang-format off
constexpr ItemSpec kItems[kRigK70RItemCount] = {
    {"    CH No.", true,  0,   0, kNone, 0x00,  false, true,  D(DispEvent::kChannel),   S(SendEvent::kChannel), kNone, Item::kChNo},
    {"     Power", true,  0, 255, 0xA6,  0x0B,  true,  false, kNone, kNone, kNone, Item::kPower},
    {"       BAL", true,  0, 255, 0x6A,  0x11,  true,  false, kNone, kNone, kNone, Item::kBal},
    {"       MOD", true,  0, 255, 0x69,  0x0D,  true,  false, kNone, kNone, kNone, Item::kMod},
    {"   Dig MOD", true,  0, 255, 0x77,  0x1A,  true,  false, kNone, kNone, kNone, Item::kDigMod},
    {" CTCS/DTCS", true,  0, 255, 0x53,  0x0F,  true,  false, kNone, kNone, kNone, Item::kCtcsDtcs},
    {"       SQL", true,  0, 255, 0x131, 0x08,  true,  false, kNone, kNone, kNone, Item::kSql},
    {"       REF", true,  0, 255, 0xAD,  0x05,  true,  false, kNone, kNone, kNone, Item::kRef},
    {"   BPF ALL", false, 0, 255, kNone, kNone, false, false, D(DispEvent::kBpfAll),    kNone, E(EnterEvent::kBpfAll), Item::kBpfAll},
    {"    BPF T1", true,  0, 255, 0x54,  0x13,  true,  false, D(DispEvent::kBpfFilter), kNone, E(EnterEvent::kBpfT1),  Item::kBpfT1},
    {"    BPF T2", true,  0, 255, 0x55,  0x14,  true,  false, D(DispEvent::kBpfFilter), kNone, E(EnterEvent::kBpfT2),  Item::kBpfT2},
    {"    RX LVA", true,  0, 255, 0x5C,  0x06,  true,  false, D(DispEvent::kLva),       kNone, E(EnterEvent::kRxLva),  Item::kRxLva},
    {"    TX LVA", true,  0, 255, 0x5D,  0x07,  true,  false, D(DispEvent::kLva),       kNone, E(EnterEvent::kTxLva),  Item::kTxLva},
    {"LV(RX LVA)", false, 0, 255, kNone, kNone, true,  false, D(DispEvent::kLvTarget),  kNone, kNone, Item::kLvRxLva},
    {"LV(TX LVA)", false, 0, 255, kNone, kNone, true,  false, D(DispEvent::kLvTarget),  kNone, kNone, Item::kLvTxLva},
    {"      RSSI", false, 0, 255, kNone, kNone, false, false, D(DispEvent::kRssi),      kNone, E(EnterEvent::kRssi),   Item::kRssi},
    {"  Dig Mode", true,  1,  14, kNone, 0x30,  true,  false, kNone, kNone, kNone, Item::kDigMode},
};
// clang-format on

// The table lists the items in the order of their numbers.
constexpr bool InItemOrder() {
  for (int16_t i = 0; i < kRigK70RItemCount; ++i) {
    if (Index(kItems[i].item) != i) return false;
  }
  return true;
}
static_assert(InItemOrder());

// Live commands that no item sends itself.
constexpr struct {
  int16_t command;
  const char* name;
  int32_t address;
} kOtherCommands[] = {
    {0x12, "BAL mirror", 0x71}, {0x10, "BAL mirror", 0x63}, {0x1B, "BAL mirror", 0x78},
    {0x16, "RSSI S3", 0xAA},    {0x15, "RSSI S1", 0xA9},    {0x02, "command 02", -1},
};

}  // namespace

const CommandTarget& TargetOf(uint8_t command) {
  static const std::array<CommandTarget, 256> kTargets = [] {
    std::array<CommandTarget, 256> targets;
    for (size_t c = 0; c < targets.size(); ++c) targets[c] = {"command " + std::to_string(c), -1};
    for (const auto& other : kOtherCommands) targets[static_cast<size_t>(other.command)] = {other.name, other.address};
    for (const ItemSpec& spec : kItems) {
      if (spec.e8Command < 0) continue;
      std::string name = spec.title;
      name.erase(0, name.find_first_not_of(' '));
      targets[static_cast<size_t>(spec.e8Command)] = {name, spec.eeAdr};
    }
    return targets;
  }();
  return kTargets[command];
}

void AddRigK70RItems(console::clsConsole& console) {
  for (const ItemSpec& spec : kItems) {
    console.AddItem();
    const auto i = static_cast<int16_t>(console.ListCount() - 1);
    console.Title(i, spec.title);
    if (spec.setRange) {
      console.Min(i, spec.min);
      console.Max(i, spec.max);
    }
    console.EeAdr(i, spec.eeAdr);
    console.EeDataSigned(i, false);
    console.E8Command(i, spec.e8Command);
    console.BarExist(i, spec.bar);
    console.LoopVal(i, spec.loop);
    if (spec.eventDisp >= 0) console.Event_Disp(i, spec.eventDisp);
    if (spec.eventSendE8 >= 0) console.Event_SendE8(i, spec.eventSendE8);
    if (spec.eventEnter >= 0) console.Event_Enter(i, spec.eventEnter);
  }
}

}  // namespace qxt::adjust
