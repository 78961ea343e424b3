#include <gtest/gtest.h>

#include "memory/ObjectDirectory.h"

using namespace qxt;

namespace {

void Word(memory::clsCmcEeprom& ee, int32_t adr, int v) {
  ee.WriteByte(adr, static_cast<uint8_t>(v >> 8));
  ee.WriteByte(adr + 1, static_cast<uint8_t>(v));
}

void Directory(memory::clsCmcEeprom& ee, int size, int last, int first) {
  Word(ee, 0x122, size);
  Word(ee, 0x124, last);
  Word(ee, 0x126, first);
}

void Entry(memory::clsCmcEeprom& ee, int32_t at, int id, int recordSize, int count, int start) {
  Word(ee, at, id);
  Word(ee, at + 2, recordSize);
  Word(ee, at + 4, count);
  Word(ee, at + 6, start);
}

}  // namespace

TEST(ObjectDirectory, FindsObjectsAndTheLastOfTwins) {
  memory::clsCmcEeprom ee;
  Directory(ee, 8, 3, 0x140);
  Entry(ee, 0x140, 2, 32, 40, 0x400);
  Entry(ee, 0x148, 6, 64, 1, 0xB00);
  Entry(ee, 0x150, 3, 2, 40, 0xA00);
  Entry(ee, 0x158, 6, 64, 1, 0xC00);
  memory::ObjectDirectory dir(ee);
  EXPECT_EQ(dir.Ptbl_Search(2), 0x140);
  EXPECT_EQ(dir.Obj_Address(2), 0x400);
  EXPECT_EQ(dir.Obj_Number(2), 40);
  EXPECT_EQ(dir.Obj_Size(2), 32);
  EXPECT_EQ(dir.Obj_Address(6), 0xC00);  // the later entry wins
  EXPECT_EQ(dir.Ptbl_Search(9), 0);
  Word(ee, 6, 0x1234);  // a missing object reads the image's own bytes
  EXPECT_EQ(dir.Obj_Address(9), 0x1234);
}

TEST(ObjectDirectory, DamagedDirectoriesGiveDefinedResults) {
  memory::clsCmcEeprom ee;
  memory::ObjectDirectory dir(ee);
  for (int size : {8, 0}) {  // an entry whose id would leave the image, walked or looked at once
    Directory(ee, size, 0, 0x7D6F);
    EXPECT_EQ(dir.Ptbl_Search(0), 0) << size;
  }
  Directory(ee, 0x4000, 3, 0x140);  // walks past 32767 after a match
  Entry(ee, 0x140, 2, 1, 1, 0x400);
  EXPECT_EQ(dir.Ptbl_Search(2), 0);
  Directory(ee, 0, 65535, 0x140);  // record size 0, 65536 entries: the same entry, bounded
  EXPECT_EQ(dir.Ptbl_Search(2), 0x140);
  Directory(ee, 0xFFFF, 65535, 0xFFFF);
  EXPECT_EQ(dir.Ptbl_Search(2), 0);
  Entry(ee, 0x140, 2, 0xFFFF, 0xFFFF, 0xFFFF);
  Directory(ee, 8, 0, 0x140);
  EXPECT_EQ(dir.Obj_Size(2), 65535);  // read without overflow
  EXPECT_EQ(dir.Obj_Address(2), 65535);
}
