#include "instrument/BenchOptions.h"

#include <gtest/gtest.h>

#include "support/MapOptions.h"

namespace qxt::instrument {
namespace {

TEST(BenchOptionsTest, DefaultsFollowTheSUnitConventionAndNoGenerator) {
  test::MapOptions file;
  std::vector<std::string> notices;
  const BenchOptions o = BenchOptions::Load(file, notices);
  EXPECT_FALSE(o.configured());
  EXPECT_EQ(o.bpfLevel, -93);
  EXPECT_EQ(o.rssiS3Level, -129);
  EXPECT_EQ(o.rssiS1Level, -141);
  EXPECT_EQ(o.maxLevel, -10);
  EXPECT_EQ(o.settleMs, 300);
  EXPECT_EQ(o.SequenceTitles(), (std::vector<std::string>{"BPF ALL", "RX LVA", "TX LVA", "RSSI"}));
  EXPECT_TRUE(notices.empty());
  // Saving defaults writes nothing, so an options file stays as it was.
  EXPECT_TRUE(o.Save(file));
  EXPECT_TRUE(file.values.empty());
}

TEST(BenchOptionsTest, ValuesOutOfRangeKeepTheirDefaultsWithANotice) {
  struct Row {
    const char* key;
    const char* text;
    bool accepted;
  };
  const Row rows[] = {
      {"CableLoss", "3.5", true},
      {"CableLoss", "-1", false},
      {"MaxLevel", "0", true},
      {"MaxLevel", "abc", false},
      {"Settle", "250", true},
      {"Settle", "2.5", false},
      {"Settle", "-5", false},
      {"Timeout", "50", false},
      {"BpfLevel", "-80 dBm", false},
      {"RssiS1Level", "-150", true},
      {"Generator", "TCPIP0::127.0.0.1::5025::SOCKET", true},
      {"Generator", "bench-gen", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.key) + "=" + row.text);
    test::MapOptions file;
    file.values[{"BENCH", row.key}] = row.text;
    std::vector<std::string> notices;
    const BenchOptions o = BenchOptions::Load(file, notices);
    EXPECT_EQ(notices.empty(), row.accepted);
    if (!row.accepted) {
      EXPECT_NE(notices[0].find(row.key), std::string::npos) << notices[0];
    }
    test::MapOptions written;
    o.Save(written);
    EXPECT_EQ(written.values.count({"BENCH", row.key}), row.accepted ? 1U : 0U);
  }
}

TEST(BenchOptionsTest, SetupAndSequenceAreSplitAndTrimmed) {
  test::MapOptions file;
  file.values[{"BENCH", "Setup"}] = " :OUTP:MOD OFF ;; :POW:ALC ON ";
  file.values[{"BENCH", "Sequence"}] = "RSSI ,BPF T1";
  std::vector<std::string> notices;
  const BenchOptions o = BenchOptions::Load(file, notices);
  EXPECT_EQ(o.SetupCommands(), (std::vector<std::string>{":OUTP:MOD OFF", ":POW:ALC ON"}));
  EXPECT_EQ(o.SequenceTitles(), (std::vector<std::string>{"RSSI", "BPF T1"}));
  EXPECT_EQ(FormatLevel(-126), "-126");
  EXPECT_EQ(FormatLevel(-126.5), "-126.5");
  EXPECT_EQ(FormatLevel(-0.001), "0");
}

}  // namespace
}  // namespace qxt::instrument
