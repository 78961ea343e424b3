#include <gtest/gtest.h>

#include "memory/ParameterListing.h"
#include "memory/clsIndEep_RigK70R.h"
#include "support/FakeListBox.h"

using namespace qxt;
using namespace qxt::test;

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t at = 0;
  for (size_t nl; (nl = text.find("\r\n", at)) != std::string::npos; at = nl + 2)
    lines.push_back(text.substr(at, nl - at));
  return lines;
}

std::string Label(const std::string& words) { return std::string(30 - words.size(), ' ') + words; }

}  // namespace

TEST(ParameterListing, ZeroImage) {
  memory::clsCmcRadio radio;
  memory::clsIndEep_RigK70R dec(radio);
  FakeTextBox box;
  dec.RigK70REep_DispPara(box);
  auto lines = Lines(box.text);
  ASSERT_EQ(lines.size(), 67u);
  EXPECT_EQ(box.text.substr(box.text.size() - 2), "\r\n");
  EXPECT_EQ(lines[0], std::string(16, ' ') + "POW HI Level:    0");
  EXPECT_EQ(lines[64], Label("Base Frequency: ") + "   0.000MHz");
  for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i].size(), i == 64 ? 41u : 34u) << i;
}

TEST(ParameterListing, ValuesSignsAndMidDependentLines) {
  memory::clsCmcRadio radio;
  memory::clsCmcEeprom& ee = radio.eepImage();
  memory::clsIndEep_RigK70R dec(radio);
  ee.WriteByte(0xA8, 0xFF);
  ee.WriteByte(0x7F, 0xFF);
  ee.WriteByte(0x85, 0x80);
  ee.WriteByte(0x9D, 12);
  ee.WriteByte(0x50, 0x0F);
  ee.WriteByte(0x51, 0xA0);
  ee.WriteByte(0x63, 11);
  ee.WriteByte(0x71, 22);
  ee.WriteByte(0x62, 33);
  ee.WriteByte(0x70, 44);
  ee.WriteByte(0x61, 0xFE);
  ee.WriteByte(0x6F, 0x05);
  ee.WriteByte(0xA9, 7);
  ee.WriteByte(0xAA, 200);
  dec.RigK70REep_SetCommonAddress(0xB00);
  auto lines = Lines(dec.ParameterListing());
  EXPECT_EQ(lines[0], Label("POW HI Level: ") + " 255");
  EXPECT_EQ(lines[3], Label("BAL W Level: ") + "  11");
  EXPECT_EQ(lines[6], Label("MOD W Level: ") + "  33");
  EXPECT_EQ(lines[16], Label("MOD Slant(Freq) Band0: ") + "  -1");
  EXPECT_EQ(lines[17], Label("MOD Slant(Freq) Band1: ") + "-128");
  EXPECT_EQ(lines[21], Label("MOD Slant(Freq) Band5: ") + "  12");
  EXPECT_EQ(lines[62], Label("Tone W Correction: ") + "  -2");
  EXPECT_EQ(lines[64], Label("Base Frequency: ") + " 400.000MHz");
  EXPECT_EQ(lines[65], Label("RSSI S1 Level: ") + "   7");
  EXPECT_EQ(lines[66], Label("RSSI S3 Level: ") + " 200");
  ee.WriteByte(0xB00 + 37, 0x80);
  lines = Lines(dec.ParameterListing());
  EXPECT_EQ(lines[3], Label("BAL W Level: ") + "  22");
  EXPECT_EQ(lines[6], Label("MOD W Level: ") + "  44");
  EXPECT_EQ(lines[62], Label("Tone W Correction: ") + "   5");
}

// The listing of a file finds the radio's common area through the file's own object directory.
TEST(ParameterListing, AFileFindsItsCommonAreaThroughItsDirectory) {
  Bytes image(32112, 0);
  image[0x123] = 8;  // entries of 8 bytes, the first at 0x140: object 6, starting at 0xB00
  image[0x126] = 0x01;
  image[0x127] = 0x40;
  image[0x141] = 6;
  image[0x146] = 0x0B;
  image[0x63] = 11;
  image[0x71] = 22;
  EXPECT_EQ(memory::ParameterListing::RowsOf(image)[3].value, "  11");
  image[0xB00 + 37] = 0x80;
  EXPECT_EQ(memory::ParameterListing::RowsOf(image)[3].value, "  22");
}

TEST(HexListing, HeaderRuleRowsAndLength) {
  memory::clsCmcRadio radio;
  radio.eepImage().WriteByte(0, 0xAB);
  radio.eepImage().WriteByte(32111, 0x5C);
  memory::clsIndEep_RigK70R dec(radio);
  std::string text = "x";
  dec.RigK70REep_DispDebug(text);
  auto lines = Lines(text);
  ASSERT_EQ(lines.size(), 4u + 2007u);
  EXPECT_EQ(lines[0], "x");
  EXPECT_EQ(lines[1], "         EEPROM Data");
  EXPECT_EQ(lines[2], "         00  01  02  03  04  05  06  07  08  09  0A  0B  0C  0D  0E  0F");
  EXPECT_EQ(lines[3], "        -----" + std::string(14 * 4, '-') + "---");
  EXPECT_EQ(lines[4], "0000h |  AB  00  00  00  00  00  00  00  00  00  00  00  00  00  00  00");
  EXPECT_EQ(lines.back(), "7D60h |  00  00  00  00  00  00  00  00  00  00  00  00  00  00  00  5C");
  EXPECT_EQ(text.size(), 1u + 2 + 22 + 73 + 74 + 2007u * 73);
}
