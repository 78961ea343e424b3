#include "adjust/ConsoleLines.h"

#include "common/NumberFormat.h"

namespace qxt::adjust {

std::string ConsoleLines::Text(const console::clsConsole& con, int16_t index, int16_t evNo, int16_t val,
                               int32_t recordSize, bool digital) const {
  switch (static_cast<DispEvent>(evNo)) {
    case DispEvent::kChannel:
      return con.Title(index) + ": " + channels_.Describe(val, recordSize, digital);
    case DispEvent::kBpfAll: {
      const bool sweeping = IsBpf(actions_.actState()) && index == actions_.sweepLine();
      return con.Title(index) + (sweeping ? ": Sweeping" : ": [Enter] to Sweep");
    }
    case DispEvent::kBpfFilter:
      return FilterLine(con, index);
    case DispEvent::kRssi:
      return RssiLine(con, index);
    case DispEvent::kLva:
      return LvaLine(con, index);
    case DispEvent::kLvTarget:
      return LvTargetLine(con, index, val);
  }
  return "???";
}

std::string ConsoleLines::FilterLine(const console::clsConsole& con, int16_t index) const {
  const auto k = static_cast<int16_t>(index - Index(Item::kBpfT1));
  if (IsBpf(actions_.actState())) return con.DefaultString(index) + (actions_.bpfSel(k) ? " Sweeping" : "");
  return con.DefaultString(index) + " [Enter] to Sweep" + Failed(actions_.bpfFailed(k));
}

std::string ConsoleLines::RssiLine(const console::clsConsole& con, int16_t index) const {
  if (!IsRssi(actions_.actState())) return con.Title(index) + ": [Enter] to Start" + Failed(actions_.rssiFailed());
  return con.Title(index) + (actions_.flgRssiPhase() ? ": RSSI S1 Level " : ": RSSI S3 Level ");
}

std::string ConsoleLines::LvaLine(const console::clsConsole& con, int16_t index) const {
  const auto k = static_cast<int16_t>(index - Index(Item::kRxLva));
  if (IsLva(actions_.actState())) return con.DefaultString(index) + (actions_.lvaSel(k) ? " Sweeping" : "");
  return con.DefaultString(index) + " [Enter] to Sweep" + Failed(actions_.lvaFailed(k));
}

std::string ConsoleLines::Failed(bool failed) { return failed ? " (Auto Adjust Failed)" : ""; }

// The stored level as a voltage on a 0..5 V scale.
std::string ConsoleLines::LvTargetLine(const console::clsConsole& con, int16_t index, int16_t val) {
  const std::string volts = ": [" + common::FormatNumber(val * 5 / 255.0, "##0.#0V");
  return con.DefaultString(index) + volts.substr(volts.size() > 7 ? volts.size() - 7 : 0) + "]";
}

}  // namespace qxt::adjust
