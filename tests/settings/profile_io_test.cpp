#include <gtest/gtest.h>

#include <array>

#include "settings/clsCmcProfileIO.h"
#include "support/TempDir.h"

using namespace qxt;
using namespace qxt::test;

namespace {

class ProfileIO : public ::testing::Test {
 protected:
  void SetUp() override {
    prof.setPath(dir.path() + "/");
    prof.setName("PJ5102K.rs");
    prof.setSection("OPTION");
  }
  std::string FileText() const { return TempDir::Read(prof.GetMyProfile()); }

  TempDir dir;
  settings::clsCmcProfileIO prof;
};

}  // namespace

TEST_F(ProfileIO, EveryValueKindRoundTrips) {
  const settings::ProfileValue values[] = {int16_t{-3},           int32_t{70000}, uint8_t{255},
                                           std::string("a text"), true,           false};
  int i = 0;
  for (const auto& v : values) EXPECT_TRUE(prof.saveData("k" + std::to_string(i++), v));
  i = 0;
  for (const auto& v : values) {
    settings::ProfileValue got = v;
    std::visit([&](auto x) { got = decltype(x){}; }, v);  // same kind, another value
    EXPECT_TRUE(prof.loadData("k" + std::to_string(i++), got));
    EXPECT_EQ(got, v) << "key k" << i - 1;
  }
  std::string text = FileText();
  EXPECT_NE(text.find("k1=70000"), std::string::npos);
  EXPECT_NE(text.find("k4=1"), std::string::npos);
  EXPECT_NE(text.find("k5=0"), std::string::npos);
}

TEST_F(ProfileIO, DefaultsAndKindRules) {
  settings::ProfileValue port = int32_t{7};
  EXPECT_TRUE(prof.loadData("ComPort", port, settings::ProfileValue(int32_t{1})));  // no file: default
  EXPECT_EQ(port, settings::ProfileValue(int32_t{1}));
  EXPECT_FALSE(prof.loadData("ComPort", port, settings::ProfileValue(int16_t{1})));  // default of another kind
  EXPECT_EQ(port, settings::ProfileValue(int32_t{1}));
  settings::ProfileValue empty;
  EXPECT_FALSE(prof.saveData("x", empty));
  EXPECT_FALSE(prof.loadData("x", empty));
  settings::ProfileValue text = std::string();
  EXPECT_FALSE(prof.loadData("absent", text));  // absent and an empty default
  settings::ProfileValue on = false;
  EXPECT_TRUE(prof.loadData("absent", on, settings::ProfileValue(true)));
  EXPECT_EQ(on, settings::ProfileValue(true));
}

TEST_F(ProfileIO, TextsThatDoNotConvertLeaveTheVariable) {
  TempDir::Write(prof.GetMyProfile(), "[OPTION]\nComPort=abc\nBig=70000\nYes=yes\nZero=0\nHalf=2.5\n");
  settings::ProfileValue v = int16_t{9};
  EXPECT_TRUE(prof.loadData("ComPort", v));
  EXPECT_EQ(v, settings::ProfileValue(int16_t{9}));
  EXPECT_TRUE(prof.loadData("Big", v));  // out of the 16-bit range
  EXPECT_EQ(v, settings::ProfileValue(int16_t{9}));
  EXPECT_TRUE(prof.loadData("Half", v));  // halves round to even
  EXPECT_EQ(v, settings::ProfileValue(int16_t{2}));
  settings::ProfileValue b = false;
  EXPECT_TRUE(prof.loadData("Yes", b));
  EXPECT_EQ(b, settings::ProfileValue(true));
  EXPECT_TRUE(prof.loadData("Zero", b));
  EXPECT_EQ(b, settings::ProfileValue(false));
}

TEST_F(ProfileIO, HandWrittenCrlfFileKeepsEverythingElse) {
  TempDir::Write(prof.GetMyProfile(),
                 "; options of the bench\r\n[PORTS]\r\nCOM1=/dev/ttyUSB3\r\n\r\n; the options\r\n"
                 "[option]\r\ncomport = 2\r\nOther=x\r\n[TRACE]\r\nFile=/tmp/t.log\r\n; last words\r\n");
  settings::ProfileValue port = int32_t{0};
  EXPECT_TRUE(prof.loadData("ComPort", port));  // section and key match without case
  EXPECT_EQ(port, settings::ProfileValue(int32_t{2}));
  EXPECT_TRUE(prof.saveData("ComPort", int16_t{3}));
  EXPECT_TRUE(prof.saveData("ComAutoRelease", int16_t{5}));
  // Every line survives in its place (blank lines between sections may change), with CRLF kept.
  std::string text = FileText();
  std::string lines;
  for (size_t at = 0, nl; (nl = text.find("\r\n", at)) != std::string::npos; at = nl + 2) {
    if (nl > at) lines += text.substr(at, nl - at) + "|";
  }
  EXPECT_EQ(lines,
            "; options of the bench|[PORTS]|COM1=/dev/ttyUSB3|; the options|[option]|comport=3|Other=x|"
            "ComAutoRelease=5|[TRACE]|File=/tmp/t.log|; last words|");
  EXPECT_EQ(prof.ReadKey("ports", "com1", ""), "/dev/ttyUSB3");
}

TEST_F(ProfileIO, HostileFilesGiveDefinedResults) {
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919) & 0xFF);
  garbage += "\n[OPTION]\nComPort=3\n";
  TempDir::Write(prof.GetMyProfile(), garbage);
  settings::ProfileValue v = int32_t{4};
  prof.loadData("ComPort", v, settings::ProfileValue(int32_t{1}));
  EXPECT_EQ(v, settings::ProfileValue(int32_t{1}));    // binary data is no options file
  EXPECT_FALSE(prof.saveData("ComPort", int16_t{2}));  // and it is never overwritten
  EXPECT_EQ(FileText(), garbage);
  const std::string note = prof.SetAsideIfUnusable("20261207-101010");
  EXPECT_NE(note.find("is not an options file"), std::string::npos) << note;
  EXPECT_EQ(TempDir::Read(prof.GetMyProfile() + ".unreadable-20261207-101010"), garbage);
  EXPECT_TRUE(prof.saveData("ComPort", int16_t{2}));
  EXPECT_TRUE(prof.loadData("ComPort", v));
  EXPECT_EQ(v, settings::ProfileValue(int32_t{2}));
  TempDir::Write(prof.GetMyProfile(), "[OPTION]\nComPort=2\nthis line is neither\n");
  EXPECT_NE(prof.SetAsideIfUnusable("20261207-101011"), "");

  // No sections, duplicate keys, a line of half a megabyte: the last duplicate wins, values are
  // cut to 254 characters.
  TempDir::Write(prof.GetMyProfile(),
                 "loose=1\n[OPTION]\nComPort=1\nComPort=4\nLong=" + std::string(1 << 19, 'x') + "\n");
  EXPECT_TRUE(prof.loadData("ComPort", v));
  EXPECT_EQ(v, settings::ProfileValue(int32_t{4}));
  settings::ProfileValue s = std::string();
  EXPECT_TRUE(prof.loadData("Long", s));
  EXPECT_EQ(std::get<std::string>(s), std::string(254, 'x'));
  EXPECT_EQ(prof.SetAsideIfUnusable("20261207-101010"), "");
}

TEST_F(ProfileIO, AFileTooLargeForOptionsIsNeitherReadNorRewrittenButSetAside) {
  const std::string big = "[OPTION]\nComPort=3\n" + std::string((1 << 20) + 1, ';') + "\n";
  TempDir::Write(prof.GetMyProfile(), big);
  settings::ProfileValue v = int32_t{1};
  prof.loadData("ComPort", v, settings::ProfileValue(int32_t{1}));
  EXPECT_EQ(v, settings::ProfileValue(int32_t{1}));  // the default
  EXPECT_FALSE(prof.saveData("ComPort", int16_t{2}));
  EXPECT_EQ(TempDir::Read(prof.GetMyProfile()), big);
  const std::string note = prof.SetAsideIfUnusable("20261207-101010");
  EXPECT_NE(note.find("it was moved to " + prof.GetMyProfile() + ".too-large-20261207-101010"), std::string::npos)
      << note;
  EXPECT_EQ(TempDir::Read(prof.GetMyProfile() + ".too-large-20261207-101010"), big);  // kept as it was
  EXPECT_TRUE(prof.saveData("ComPort", int16_t{2}));                                  // a new file from here on
  prof.loadData("ComPort", v);
  EXPECT_EQ(v, settings::ProfileValue(int32_t{2}));
}

TEST_F(ProfileIO, AValueIsOneLineSoNoTextBringsKeysOfItsOwn) {
  ASSERT_TRUE(prof.WriteKey("OPTION", "ComPort", "1"));
  const std::string before = FileText();
  const std::array<std::array<const char*, 3>, 8> injections = {{
      {"REPORT", "Technician", "Ann\n[OPTION]\nComPort=2"},
      {"REPORT", "Technician", "Ann\r[PORTS]\rCOM2=/dev/sda"},
      {"REPORT", "Technician", "Ann\r\nComPort=2"},
      {"REPORT", "Tech\nComPort", "2"},
      {"REPORT]\n[OPTION", "ComPort", "2"},
      {"OPTION", "ComPort=2\nX", "1"},
      {"REPORT]", "Technician", "Ann"},
      {"OPTION", "ComPort=2", "1"},
  }};
  for (const auto& [section, key, text] : injections) {
    EXPECT_FALSE(prof.WriteKey(section, key, text)) << text;
    prof.setSection(section);
    EXPECT_FALSE(prof.saveData(key, std::string(text))) << text;
  }
  EXPECT_EQ(FileText(), before);
  EXPECT_TRUE(prof.WriteKey("REPORT", "Technician", "Ann \t O'Neil; bench 2 = left"));
  EXPECT_EQ(prof.ReadKey("REPORT", "Technician", ""), "Ann \t O'Neil; bench 2 = left");
  EXPECT_EQ(prof.ReadKey("OPTION", "ComPort", ""), "1");
}
