#include <gtest/gtest.h>

#include "memory/clsCmcRadio.h"

using namespace qxt;

TEST(Radio, StartsEmptyAndCreatesOneImage) {
  memory::clsCmcRadio radio;
  EXPECT_EQ(radio.radioNameM(), "0000");
  EXPECT_EQ(radio.radionameS(), "0000");
  EXPECT_EQ(radio.cloneWriteAdrList(), "");
  EXPECT_FALSE(radio.hasImage());
  memory::clsCmcEeprom* first = &radio.eepImage();
  EXPECT_EQ(first, &radio.eepImage());
  EXPECT_EQ(first->eeSize(), 32112);
}

TEST(Radio, CloneWriteListEntries) {
  memory::clsCmcRadio radio;
  radio.cloneWriteAdrList_Add(0, 32111);
  EXPECT_EQ(radio.cloneWriteAdrList(), "0000-7D6F,");
  radio.cloneWriteAdrList_Add(256, 511);
  EXPECT_EQ(radio.cloneWriteAdrList(), "0000-7D6F,0100-01FF,");
  radio.cloneWriteAdrList_Clear();
  EXPECT_EQ(radio.cloneWriteAdrList(), "");
  radio.cloneWriteAdrList_Add(65536, 65537);
  radio.cloneWriteAdrList_Add(-1, 5);
  EXPECT_EQ(radio.cloneWriteAdrList(), "0000-0001,FFFF-0005,");
}
