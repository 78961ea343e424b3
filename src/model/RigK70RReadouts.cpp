#include "model/RigK70RReadouts.h"

#include <algorithm>
#include <cmath>

#include "common/Common.h"
#include "common/NumberFormat.h"

namespace qxt::model {

namespace {

enum class Scale { kVolts10, kVolts5, kPercent, kTemperature, kEmpty };

struct Row {
  const char* label;
  Scale scale;
};

constexpr Row kGroupARows[] = {
    {"VIN  :", Scale::kVolts10}, {"TEMPS:", Scale::kTemperature},
    {"LVIN :", Scale::kVolts5},  {"SD   :", Scale::kVolts5},
    {"", Scale::kEmpty},
};
constexpr Row kGroupBRows[] = {
    {"T1/POW :", Scale::kVolts5}, {"BPF T2 :", Scale::kVolts5}, {"TX LVA :", Scale::kVolts5},
    {"RX LVA :", Scale::kVolts5}, {"REF    :", Scale::kVolts5}, {"MOD BAL:", Scale::kPercent},
    {"Dev    :", Scale::kVolts5}, {"CTCSS  :", Scale::kVolts5}, {"SQL Lev:", Scale::kPercent},
};

std::string Right(const std::string& text, size_t n) { return text.size() <= n ? text : text.substr(text.size() - n); }

int HexDigit(uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// A thermistor with B = 4000 at 298.15 K in a 47 k divider on 5 V.
double Celsius(int v) {
  double x = v * 5 / 255.0;
  double r = (500000 - 100000 * x) / x / 47000;
  return 1 / (std::log(r) / 4000 + 1 / 298.15) - 273.15;
}

}  // namespace

RigK70RReadouts::RigK70RReadouts() {
  lastAdA.fill(-1);
  lastAdB.fill(-1);
}

void RigK70RReadouts::Reset() {
  std::fill(lastAdA.begin(), lastAdA.begin() + 5, -1);
  std::fill(lastAdB.begin(), lastAdB.begin() + 9, -1);
}

bool RigK70RReadouts::CheckAdAnswer(const Bytes& answer, const Bytes& radioName) {
  if (answer.size() != 7) return true;
  if (radioName.empty() || radioName.size() > answer.size() ||
      !std::equal(radioName.begin(), radioName.end(), answer.begin())) {
    return true;
  }
  return HexDigit(answer[5]) < 0 || HexDigit(answer[6]) < 0;
}

int RigK70RReadouts::AdAnswerValue(const Bytes& answer) { return HexDigit(answer[5]) * 16 + HexDigit(answer[6]); }

std::string RigK70RReadouts::Line(int group, int16_t index, int v) {
  const Row& row = group == kGroupA ? kGroupARows[index] : kGroupBRows[index];
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

bool RigK70RReadouts::Read(int group, int16_t index, bool isFirst, bool& done, common::LiveCommandSender& seq,
                           const Bytes& answer, const Bytes& radioName, common::ListBoxView& list) {
  const int16_t maxIndex = group == kGroupA ? 4 : 8;
  index = std::clamp<int16_t>(index, 0, maxIndex);
  done = false;
  if (isFirst) {
    const int16_t channel =
        group == kGroupA ? adChanA[static_cast<size_t>(index)] : adChanB[static_cast<size_t>(index)];
    seq.easySendE8ReqAnswer(common::ByteToHex2(3) + common::ByteToAsciiHexStr(channel));
    return true;
  }
  if (seq.OpRunning()) return true;
  done = true;
  if (CheckAdAnswer(answer, radioName)) return false;
  const auto v = static_cast<int16_t>(AdAnswerValue(answer));
  int16_t& last = group == kGroupA ? lastAdA[static_cast<size_t>(index)] : lastAdB[static_cast<size_t>(index)];
  if (v != last) {
    last = v;
    if (index + 1 < list.count()) list.replaceLine(index + 1, Line(group, index, v));
  }
  return true;
}

}  // namespace qxt::model
