#include "adjust/ChannelList.h"

#include <algorithm>

#include "common/NumberFormat.h"

namespace qxt::adjust {

void ChannelList::Build(int32_t objectAddress, int32_t recordCount) {
  chObjAdr_ = objectAddress;
  rxFreqBase_ = chObjAdr_;
  const int32_t m = std::min<int32_t>(recordCount, kMaxChannels);
  int16_t count = 0;
  for (int16_t ch = 0; ch < m; ++ch) {
    if (decoder_.RigK70REep_GetChAppear(rxFreqBase_, ch)) chList_[static_cast<size_t>(count++)] = ch;
  }
  if (count == 0) {
    chList_[0] = 0;
    count = 1;
  }
  count_ = count;
}

int16_t ChannelList::chList(int16_t i) const {
  return chList_[static_cast<size_t>(std::clamp<int16_t>(i, 0, kMaxChannels))];
}

std::string ChannelList::Describe(int16_t listIndex, int32_t recordSize, bool digital) const {
  const int16_t ch = chList(listIndex);
  std::string label = decoder_.RigK70REep_GetChName(ch);
  label.erase(0, label.find_first_not_of(' '));
  if (ch + 1 < 10) label = "0" + label;
  std::string line = label + " RX = ";
  const int64_t adr = static_cast<int64_t>(ch) * recordSize + rxFreqBase_;
  if (decoder_.Check_Inh(static_cast<int32_t>(std::clamp<int64_t>(adr, -1, INT32_MAX))) != 0) {
    line += "Inhibit   ";
  } else {
    line += common::FormatNumber(static_cast<double>(decoder_.RigK70REep_GetChFreqRxReal(rxFreqBase_, ch)) / 1e6,
                                 "###0.#####0");
  }
  line += ", Mode:";
  if (!digital) return line + (decoder_.RigK70REep_GetChMode(chObjAdr_, ch) ? " Narrow" : " Wide");
  switch (decoder_.RigK70REep_GetChModeDig(chObjAdr_, ch)) {
    case 3:
      return line + " Digital";
    case 1:
    case 2:
      return line + " Mixed";
    case 0:
      return line + " Analog";
    default:
      return line;
  }
}

}  // namespace qxt::adjust
