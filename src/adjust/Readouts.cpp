#include "adjust/Readouts.h"

#include <algorithm>
#include <cmath>

#include "common/Common.h"
#include "common/NumberFormat.h"

namespace qxt::adjust {

namespace {

constexpr uint8_t kReadoutCommand = 0x03;

enum class Scale { kVolts10, kVolts5, kPercent, kTemperature, kEmpty };

struct Row {
  int16_t channel;  // the A/D channel asked for
  const char* label;
  Scale scale;
};

constexpr Row kGroupARows[] = {
    {0, "VIN  :", Scale::kVolts10}, {3, "TEMPS:", Scale::kTemperature},
    {5, "LVIN :", Scale::kVolts5},  {4, "SD   :", Scale::kVolts5},
    {0, "", Scale::kEmpty},
};
constexpr Row kGroupBRows[] = {
    {16, "T1/POW :", Scale::kVolts5}, {17, "BPF T2 :", Scale::kVolts5}, {18, "TX LVA :", Scale::kVolts5},
    {19, "RX LVA :", Scale::kVolts5}, {12, "REF    :", Scale::kVolts5}, {13, "MOD BAL:", Scale::kPercent},
    {14, "Dev    :", Scale::kVolts5}, {11, "CTCSS  :", Scale::kVolts5}, {15, "SQL Lev:", Scale::kPercent},
};

const Row& RowOf(ReadoutGroup group, int16_t index) {
  if (group == ReadoutGroup::kA) return kGroupARows[std::clamp<int16_t>(index, 0, 4)];
  return kGroupBRows[std::clamp<int16_t>(index, 0, 8)];
}

std::string Right(const std::string& text, size_t n) { return text.size() <= n ? text : text.substr(text.size() - n); }

// A thermistor with B = 4000 at 298.15 K in a 47 k divider on 5 V.
double Celsius(int v) {
  double x = v * 5 / 255.0;
  double r = (500000 - 100000 * x) / x / 47000;
  return 1 / (std::log(r) / 4000 + 1 / 298.15) - 273.15;
}

}  // namespace

Readouts::Readouts() {
  lastAdA_.fill(-1);
  lastAdB_.fill(-1);
}

void Readouts::Reset() {
  std::fill(lastAdA_.begin(), lastAdA_.begin() + 5, -1);
  std::fill(lastAdB_.begin(), lastAdB_.begin() + 9, -1);
}

int16_t Readouts::lastAdA(int16_t index) const {
  return lastAdA_[static_cast<size_t>(std::clamp<int16_t>(index, 0, 5))];
}

int16_t Readouts::lastAdB(int16_t index) const {
  return lastAdB_[static_cast<size_t>(std::clamp<int16_t>(index, 0, 9))];
}

std::string Readouts::Line(ReadoutGroup group, int16_t index, int v) {
  const Row& row = RowOf(group, index);
  if (row.scale == Scale::kEmpty) return "";
  std::string prefix = Right("   " + common::SignedNumberText(v), 3) + ":" + common::ByteToHex2(v) + "h:" + row.label;
  switch (row.scale) {
    case Scale::kVolts10:
      return prefix + Right("   " + common::FormatNumber(v * 10 / 255.0, "##0.#0V"), 7);
    case Scale::kVolts5:
      return prefix + Right("   " + common::FormatNumber(v * 5 / 255.0, "##0.#0V"), 7);
    case Scale::kPercent:
      return prefix + Right("   " + common::FormatNumber(v / 255.0, "0.00%"), 7);
    case Scale::kTemperature:
      if (v == 0 || v == 255) return prefix + "*Error";
      return prefix + Right("   " + common::FormatNumber(Celsius(v), "###.#0'C"), 8);
    case Scale::kEmpty:
      break;
  }
  return prefix;
}

ReadoutResult Readouts::Read(ReadoutGroup group, int16_t index, bool isFirst, link::LiveSender& sender,
                             common::ListBoxView& list) {
  index = std::clamp<int16_t>(index, 0, group == ReadoutGroup::kA ? 4 : 8);
  if (isFirst) {
    sender.Ask({kReadoutCommand, static_cast<uint8_t>(RowOf(group, index).channel), std::nullopt});
    return ReadoutResult::kPending;
  }
  if (sender.Busy()) return ReadoutResult::kPending;
  const std::optional<link::LiveAnswer> answer = sender.TakeAnswer();
  if (!answer) return ReadoutResult::kInvalid;
  const auto v = static_cast<int16_t>(answer->value);
  int16_t& last =
      group == ReadoutGroup::kA ? lastAdA_[static_cast<size_t>(index)] : lastAdB_[static_cast<size_t>(index)];
  if (v != last) {
    last = v;
    if (index + 1 < list.count()) list.replaceLine(index + 1, Line(group, index, v));
  }
  return ReadoutResult::kDone;
}

}  // namespace qxt::adjust
