#pragma once
// The A/D readouts: one value per request (live command 03 with the channel number), checked,
// scaled and written as one line of a readout list. Group A (list 0): VIN, TEMPS, LVIN, SD and
// an empty fifth row; group B (list 1): nine D/A levels. A line is rewritten only when its raw
// value changed.
//
// Answer (the live-command answer from position 4 of its body), 7 bytes:
//   1-4  the radio's identity (model and sub code)
//   5    the sub-command, 03
//   6-7  the raw value, two ASCII-hex digits

#include <array>
#include <cstdint>
#include <string>

#include "common/Bytes.h"
#include "common/ListBoxView.h"
#include "common/LiveCommandSender.h"

namespace qxt::model {

class RigK70RReadouts {
 public:
  static constexpr int kGroupA = 0, kGroupB = 1;

  RigK70RReadouts();

  // Forgets every shown value, so the next answers redraw.
  void Reset();

  // A call with isFirst sends the request; later calls collect the answer once the sequencer is
  // idle. Returns false for an invalid answer (the caller reports it).
  bool Read(int group, int16_t index, bool isFirst, bool& done, common::LiveCommandSender& seq, const Bytes& answer,
            const Bytes& radioName, common::ListBoxView& list);

  static bool CheckAdAnswer(const Bytes& answer, const Bytes& radioName);  // true when invalid
  static int AdAnswerValue(const Bytes& answer);
  // The line of a readout for the raw value v.
  static std::string Line(int group, int16_t index, int v);

  std::array<int16_t, 6> adChanA{0, 3, 5, 4, 0, 0};
  std::array<int16_t, 9> adChanB{16, 17, 18, 19, 12, 13, 14, 11, 15};
  std::array<int16_t, 6> lastAdA{};
  std::array<int16_t, 10> lastAdB{};
};

}  // namespace qxt::model
