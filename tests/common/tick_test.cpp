#include <gtest/gtest.h>

#include "common/clsCmcTick.h"
#include "support/FakeTickSource.h"

using namespace qxt;
using namespace qxt::test;

TEST(CmcTick, CountsDownToZeroAndStaysThere) {
  FakeTickSource clock;
  clock.now = 5000;
  common::clsCmcTick tick(clock);
  EXPECT_EQ(tick.counter(), 0);  // never armed
  tick.counter(1000);
  EXPECT_EQ(tick.counter(), 1000);
  clock.advance(999);
  EXPECT_EQ(tick.counter(), 1);
  clock.advance(1);
  EXPECT_EQ(tick.counter(), 0);
  clock.advance(-500);  // even if the count were to go back, a stopped counter stays 0
  EXPECT_EQ(tick.counter(), 0);
}

TEST(CmcTick, ZeroOrNegativeDurationExpiresAtOnce) {
  FakeTickSource clock;
  common::clsCmcTick tick(clock);
  tick.counter(0);
  EXPECT_EQ(tick.counter(), 0);
  tick.counter(-5);
  EXPECT_EQ(tick.counter(), 0);
}

TEST(CmcTick, SurvivesTheSignedWrap) {
  FakeTickSource clock;
  common::clsCmcTick tick(clock);
  clock.now = 2147483600;
  tick.counter(100);
  clock.now = -2147483600;  // 95 ms later
  EXPECT_EQ(tick.counter(), 5);
  clock.now = -10;
  tick.counter(20);
  clock.now = 5;  // 15 ms later, across zero
  EXPECT_EQ(tick.counter(), 5);
}

TEST(CmcTick, UnmeasurableIntervalsReadAsExpired) {
  FakeTickSource clock;
  common::clsCmcTick tick(clock);
  clock.now = -2000000000;
  tick.counter(INT32_MAX);
  clock.now = 2000000000;  // about 2^31.9 ms later: more than 2^31 cannot be measured
  EXPECT_EQ(tick.counter(), 0);
  clock.now = 0;
  tick.counter(INT32_MAX);
  clock.now = 1073741823 * 2;  // half-difference reaches 2^30 - 1: still measured
  EXPECT_EQ(tick.counter(), INT32_MAX - 2147483646);
  clock.now = 100;
  tick.counter(1000);
  clock.now = 50;  // start above now without a wrap: give up
  EXPECT_EQ(tick.counter(), 0);
  clock.now = 1073741823;
  tick.counter(1000);
  clock.now = -1073741824;  // start just below 2^30: not a wrap the counter accepts
  EXPECT_EQ(tick.counter(), 0);
}
