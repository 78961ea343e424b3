#pragma once
// The A/D readouts: one value per request (live command 03 with the channel number), checked,
// scaled and written as one line of a readout list. Group A (list 0): VIN, TEMPS, LVIN, SD and
// an empty fifth row; group B (list 1): nine D/A levels. A line is rewritten only when its raw
// value changed.
//
// The answer's rules (the radio's codes, the sub-command echoed, one hex value) are judged by the
// link as it arrives; a broken answer comes as none.

#include <array>
#include <cstdint>
#include <string>

#include "common/Bytes.h"
#include "common/ListBoxView.h"
#include "link/LiveSender.h"

namespace qxt::adjust {

enum class ReadoutGroup { kA = 0, kB = 1 };

enum class ReadoutResult {
  kPending,  // the request is out, or its answer is not in yet
  kDone,     // the answer was valid; the line shows it
  kInvalid,  // the answer broke its rules; the line keeps its text
};

class Readouts {
 public:
  // The readouts whose raw values the procedures use.
  static constexpr int16_t kLvin = 2;
  static constexpr int16_t kSd = 3;

  Readouts();

  // Forgets every shown value, so the next answers redraw.
  void Reset();

  // A call with isFirst asks for the value; later calls take the answer once the sender is idle.
  ReadoutResult Read(ReadoutGroup group, int16_t index, bool isFirst, link::LiveSender& sender,
                     common::ListBoxView& list);

  int16_t lastAdA(int16_t index) const;
  int16_t lastAdB(int16_t index) const;

  // The line of a readout for the raw value v.
  static std::string Line(ReadoutGroup group, int16_t index, int v);

 private:
  std::array<int16_t, 6> lastAdA_{};
  std::array<int16_t, 10> lastAdB_{};
};

}  // namespace qxt::adjust
