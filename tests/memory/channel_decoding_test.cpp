#include <gtest/gtest.h>

#include "memory/clsIndEep_RigK70R.h"

using namespace qxt;

namespace {

class Channels : public ::testing::Test {
 protected:
  void SetUp() override {
    // Directory: object 2 at 0400 (32-byte records), object 3 at 0A00 (2-byte records).
    Word(0x122, 8);
    Word(0x124, 1);
    Word(0x126, 0x140);
    Words(0x140, {2, 32, 40, 0x400});
    Words(0x148, {3, 2, 40, 0xA00});
  }
  void Word(int32_t adr, int v) {
    ee().WriteByte(adr, static_cast<uint8_t>(v >> 8));
    ee().WriteByte(adr + 1, static_cast<uint8_t>(v));
  }
  void Words(int32_t adr, std::initializer_list<int> values) {
    for (int v : values) Word(std::exchange(adr, adr + 2), v);
  }
  void Field(int ch, std::initializer_list<uint8_t> bytes, int offset = 0) {
    int32_t a = 0x400 + ch * 32 + offset;
    for (uint8_t b : bytes) ee().WriteByte(a++, b);
  }
  memory::clsCmcEeprom& ee() { return radio.eepImage(); }

  memory::clsCmcRadio radio;
  memory::clsIndEep_RigK70R dec{radio};
};

}  // namespace

TEST_F(Channels, InUseInhibitAndFrequencies) {
  Field(0, {0x00, 0x00, 0x00, 0x00});
  Field(1, {0x80, 0x00, 0x00, 0x00});
  Field(2, {0x1A, 0x2B, 0x3C, 0x4D});
  Field(3, {0xFF, 0xFF, 0xFF, 0xFF});
  EXPECT_FALSE(dec.RigK70REep_GetChAppear(0x400, 0));
  EXPECT_TRUE(dec.RigK70REep_GetChAppear(0x400, 1));
  EXPECT_TRUE(dec.RigK70REep_GetChAppear(0x400, 2));
  EXPECT_FALSE(dec.RigK70REep_GetChAppear(0x400, -1));
  EXPECT_EQ(dec.RigK70REep_GetChFreqRxReal(0x400, 2), 439041101);
  EXPECT_EQ(dec.RigK70REep_GetChFreqTxReal(0x404, 2), 0);
  EXPECT_EQ(dec.RigK70REep_GetChFreqRxReal(0x400, 3), 0xFFFFFFFFLL);  // bit 7 set, read whole
  EXPECT_EQ(dec.Check_Inh(0x420), 1);
  EXPECT_EQ(dec.Check_Inh(0x440), 0);
  ee().WriteByte(0x440, 0x7F);
  EXPECT_EQ(dec.Check_Inh(0x440), 0);
}

TEST_F(Channels, ModesPowerAndNames) {
  Field(4, {0x41}, 28);
  Field(5, {0x03}, 28);
  EXPECT_TRUE(dec.RigK70REep_GetChMode(0x400, 4));
  EXPECT_EQ(dec.RigK70REep_GetChModeDig(0x400, 4), 1);
  EXPECT_FALSE(dec.RigK70REep_GetChMode(0x400, 5));
  EXPECT_EQ(dec.RigK70REep_GetChModeDig(0x400, 5), 3);
  const uint8_t power[] = {0x03, 0x02, 0x01, 0x00};
  const int16_t expected[] = {0, 1, 2, 2};
  for (int ch = 0; ch < 4; ++ch) {
    ee().WriteByte(0xA00 + 2 * ch, power[ch]);
    EXPECT_EQ(dec.RigK70REep_GetChRFPower(0xA00, static_cast<int16_t>(ch)), expected[ch]);
  }
  EXPECT_EQ(dec.RigK70REep_GetChName(0), "1");
  EXPECT_EQ(dec.RigK70REep_GetChName(9), "10");
  EXPECT_EQ(dec.RigK70REep_GetChName(41), "42");
}

TEST_F(Channels, FixedAddressesAndTheMidFlag) {
  ee().WriteByte(0xAE, 0x12);
  ee().WriteByte(0xAF, 0x34);
  EXPECT_EQ(dec.ReadLSD(true), 4660);
  ee().WriteByte(0x50, 0x0F);
  ee().WriteByte(0x51, 0xA0);
  EXPECT_EQ(dec.ReadBaseFreqBlock(), 400000000);
  ee().WriteByte(0x50, 0x1F);
  ee().WriteByte(0x51, 0x40);
  EXPECT_EQ(dec.ReadBaseFreqBlock(), 800000000);
  ee().WriteByte(0x51, 0x41);
  EXPECT_EQ(dec.ReadBaseFreqBlock(), 0);
  ee().WriteByte(37, 0x80);  // before a clone read the common address is 0
  EXPECT_TRUE(dec.RigK70REep_GetMid());
  dec.RigK70REep_SetCommonAddress(0xB00);
  EXPECT_FALSE(dec.RigK70REep_GetMid());
  ee().WriteByte(0xB25, 0x80);
  EXPECT_TRUE(dec.RigK70REep_GetMid());
}

TEST_F(Channels, DamagedRecordSizesStayInsideTheImage) {
  Words(0x140, {2, 0xFFFF, 40, 0x7D00});
  for (int16_t ch : {0, 1, 39, 40, 32767}) {
    EXPECT_FALSE(dec.RigK70REep_GetChAppear(0x7D00, ch) && ch > 0);
    dec.RigK70REep_GetChMode(0x7D00, ch);
    dec.RigK70REep_GetChFreqRxReal(INT32_MAX, ch);
  }
  Words(0x140, {2, 0, 40, 0x400});
  Field(0, {0x01});
  EXPECT_TRUE(dec.RigK70REep_GetChAppear(0x400, 39));  // size 0: every channel is channel 0
}
