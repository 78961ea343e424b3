#include <gtest/gtest.h>

#include "memory/clsCmcEeprom.h"

using namespace qxt;

namespace {
constexpr auto kDone = common::Outcome::kDone;
constexpr auto kRefused = common::Outcome::kRefused;
}  // namespace

TEST(Eeprom, AddressesOutsideReadZeroAndRefuseWrites) {
  memory::clsCmcEeprom ee;
  EXPECT_EQ(ee.WriteByte(32111, 7), kDone);
  EXPECT_EQ(ee.ReadByte(32112), 0);
  EXPECT_EQ(ee.ReadByte(-1), 0);
  EXPECT_EQ(ee.ReadByte(INT32_MIN), 0);
  EXPECT_EQ(ee.WriteByte(32112, 5), kRefused);
  EXPECT_EQ(ee.WriteByte(-1, 5), kRefused);
  EXPECT_EQ(ee.ReadBit(32112, 0), 0);
  EXPECT_EQ(ee.ReadByte(32111), 7);
}

TEST(Eeprom, BitsOfAByte) {
  memory::clsCmcEeprom ee;
  ee.WriteByte(100, 165);
  EXPECT_EQ(ee.ReadByte(100), 165);
  EXPECT_EQ(ee.ReadBit(100, 0), 1);
  EXPECT_EQ(ee.ReadBit(100, 1), 0);
  EXPECT_EQ(ee.ReadBit(100, 7), 1);
  ee.WriteByte(101, 255);
  for (int16_t bit : {8, 15, 30, 31, -1, INT16_MIN}) EXPECT_EQ(ee.ReadBit(101, bit), 0) << bit;
}

TEST(Eeprom, BlocksAreAllOrNothing) {
  memory::clsCmcEeprom ee;
  ee.WriteBlock(32109, {9, 9, 9});
  EXPECT_EQ(ee.WriteBlock(32110, {1, 2, 3}), kRefused);
  EXPECT_EQ(ee.ReadBlock(32109, 3), (Bytes{9, 9, 9}));
  EXPECT_EQ(ee.WriteBlock(32109, {1, 2, 3}), kDone);
  EXPECT_EQ(ee.ReadBlock(32109, 3), (Bytes{1, 2, 3}));
  EXPECT_EQ(ee.FillBlock(32100, 255, 12), kDone);
  EXPECT_EQ(ee.ReadByte(32100), 255);
  EXPECT_EQ(ee.FillBlock(32100, 1, 13), kRefused);
  EXPECT_EQ(ee.ReadByte(32100), 255);
  EXPECT_EQ(ee.FillBlock(0, 1, -5), kRefused);
  EXPECT_EQ(ee.FillBlock(INT32_MAX, 1, INT32_MAX), kRefused);
  EXPECT_EQ(ee.WriteBlock(-3, {1, 2, 3, 4, 5}), kRefused);
  // An empty block is refused at address 0 only (its last address would be -1).
  EXPECT_EQ(ee.WriteBlock(0, {}), kRefused);
  EXPECT_EQ(ee.WriteBlock(5, {}), kDone);
}

TEST(Eeprom, ReadBlockOutsideTheStoreReadsZero) {
  memory::clsCmcEeprom ee;
  EXPECT_EQ(ee.ReadBlock(16, 0), Bytes{});
  EXPECT_EQ(ee.ReadBlock(16, -7), Bytes{});
  ee.WriteByte(32111, 0xAB);
  EXPECT_EQ(ee.ReadBlock(32110, 4), (Bytes{0, 0xAB, 0, 0}));
  EXPECT_EQ(ee.ReadBlock(-2, 3), (Bytes{0, 0, 0}));
  EXPECT_EQ(ee.ReadBlock(INT32_MAX, 2), (Bytes{0, 0}));
}
