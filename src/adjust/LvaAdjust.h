#pragma once
// The level adjustment (action states 17..26): it bisects RX LVA or TX LVA until LVIN equals
// the target on the matching LV line. When the target lies outside the levels at 0 and 255 the
// setting goes back to what it was and the line keeps its failed mark.

#include <array>
#include <cstdint>

#include "adjust/ProcedureSteps.h"

namespace qxt::adjust {

class LvaAdjust {
 public:
  explicit LvaAdjust(ProcedureSteps& steps) : steps_(steps) {}

  // RX LVA (k = 0) or TX LVA (k = 1).
  void Start(int16_t k);
  bool Step();
  // Cut off: the setting goes back to its value from before.
  void Abort();

  bool lvaSel(int16_t k) const { return At(lvaSel_, k); }
  bool lvaFailed(int16_t k) const { return At(lvaFailed_, k); }

 private:
  static bool At(const Selection& s, int16_t k) { return k >= 0 && k < 2 && s[static_cast<size_t>(k)]; }
  bool Measure();
  bool Decide();
  void SetSelected(int16_t value);
  void SetWaits(int32_t ms);
  std::string Series() const;

  ProcedureSteps& steps_;
  Selection lvaSel_{};
  Selection lvaFailed_{};
  Selection touched_{};
  std::array<int16_t, 2> saved_{};
  int16_t low_ = 0, high_ = 255, mid_ = 0;
  int16_t levelLow_ = 0, levelHigh_ = 0, levelMid_ = 0;
  int16_t target_ = 0;
};

}  // namespace qxt::adjust
