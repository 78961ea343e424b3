#pragma once
// The memory channels the CH No. item steps through: up to 40 channels that the radio shows, in
// order, and the text of the CH No. line (channel, receive frequency, mode).

#include <array>
#include <cstdint>
#include <string>

#include "memory/clsIndEep_RigK70R.h"

namespace qxt::adjust {

class ChannelList {
 public:
  static constexpr int16_t kMaxChannels = 40;

  explicit ChannelList(memory::clsIndEep_RigK70R& decoder) : decoder_(decoder) {}

  // From the memory-channel object (its address and record count): the first 40 records are
  // examined and those that appear are listed. With none, the list holds channel 0.
  void Build(int32_t objectAddress, int32_t recordCount);

  int16_t chListCount() const { return count_; }
  // The channel at list position i (clamped to the list's 41 entries).
  int16_t chList(int16_t i) const;

  // " 05 RX = 400.012500, Mode: Wide": the channel label (two digits at least), the receive
  // frequency in MHz or "Inhibit   ", and the mode (analog names, or digital ones when the
  // radio has the digital option).
  std::string Describe(int16_t listIndex, int32_t recordSize, bool digital) const;

 private:
  memory::clsIndEep_RigK70R& decoder_;
  std::array<int16_t, kMaxChannels + 1> chList_{};
  int16_t count_ = 1;
  int32_t chObjAdr_ = 0;
  int32_t rxFreqBase_ = 0;
};

}  // namespace qxt::adjust
