#include <gtest/gtest.h>

#include "common/clsCmcTick.h"
#include "support/FakeTickSource.h"

using namespace qxt;
using namespace qxt::test;

// A counter armed at `start` for `duration` ms, read at `now`: what is left of it.
struct TickCase {
  const char* what;
  int32_t start, duration, now, left;
};

TEST(CmcTick, CountsDownAcrossTheWrapAndGivesUpOnWhatItCannotMeasure) {
  const TickCase cases[] = {
      {"1 ms left", 5000, 1000, 5999, 1},
      {"run out", 5000, 1000, 6000, 0},
      {"zero duration", 0, 0, 0, 0},
      {"negative duration", 0, -5, 0, 0},
      {"across the signed wrap", 2147483600, 100, -2147483600, 5},
      {"across zero", -10, 20, 5, 5},
      {"more than 2^31 later", -2000000000, INT32_MAX, 2000000000, 0},
      {"2^31 - 2 later, still measured", 0, INT32_MAX, 2147483646, 1},
      {"the clock went back", 100, 1000, 50, 0},
      {"a start below 2^30 is no wrap", 1073741823, 1000, -1073741824, 0},
  };
  for (const TickCase& c : cases) {
    FakeTickSource clock;
    clock.now = c.start;
    common::clsCmcTick tick(clock);
    EXPECT_EQ(tick.counter(), 0) << c.what;  // never armed
    tick.counter(c.duration);
    clock.now = c.now;
    EXPECT_EQ(tick.counter(), c.left) << c.what;
  }
}
