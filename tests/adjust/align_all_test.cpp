// Align all against the simulated radio and generator: end to end, a step that fails, cancel,
// close, and the runs that cannot start.
#include <gtest/gtest.h>

#include "record/ServiceReport.h"
#include "support/BenchRig.h"

using namespace qxt;
using namespace qxt::test;

namespace {

class AlignAllTest : public ::testing::Test {
 protected:
  void Run(const std::string& sequence) {
    rig.bench.sequence = sequence;
    rig.UseBench();
    ASSERT_EQ(rig.program.main().AlignAll(), "");
    ASSERT_TRUE(rig.Until([&] { return !align().running(); }));
  }
  const adjust::AlignAll& align() const { return rig.program.op().work().alignAll(); }
  std::vector<std::string> Results() const {
    std::vector<std::string> out;
    for (const auto& s : align().steps()) out.push_back(s.title + " " + adjust::AlignResultName(s.result));
    return out;
  }
  BenchRig rig;
};

TEST_F(AlignAllTest, TheDefaultSequenceRunsUnattendedAfterAConnect) {
  Run(instrument::BenchOptions::kDefaultSequence);
  EXPECT_TRUE(align().succeeded());
  EXPECT_EQ(Results(), (std::vector<std::string>{"BPF ALL done", "RX LVA done", "TX LVA done", "RSSI done"}));
  const int16_t t1 = rig.Item("BPF T1");
  EXPECT_EQ(align().steps()[0].after, std::to_string(rig.program.console().Value(t1)) + ", " +
                                          std::to_string(rig.program.console().Value(t1 + 1)));
  const auto lines = rig.Messages("align");
  ASSERT_EQ(lines.size(), 7U);
  EXPECT_EQ(lines[0].rfind("Align all: 4 of 4 done in ", 0), 0U) << lines[0];
  EXPECT_EQ(lines[1], "Instrument: " + rig.bench.generator + " (" + sim::SimGenerator::kIdentity + ")");
  EXPECT_EQ(lines[2], "Levels: BPF -93 dBm, RSSI S3 -129 dBm, S1 -141 dBm at the antenna; cable loss 0 dB");
  EXPECT_EQ(lines[6].rfind("RSSI: done, ", 0), 0U) << lines[6];
  EXPECT_EQ(rig.generator.AntennaLevel(446006250, 25000), std::nullopt);
  // The session's report is an alignment certificate.
  const record::SqliteReader reader = rig.Reader();
  const std::string html = record::ServiceReport(reader, rig.program.record().session()).Html();
  for (const std::string& part : {std::string("<h1>Alignment certificate</h1>"),
                                  "<th>Instrument</th><td>" + rig.bench.generator, std::string("<li>RSSI: done, "),
                                  std::string("<h2>Sent to the instruments</h2>"), std::string(":POW -141</td>")}) {
    EXPECT_NE(html.find(part), std::string::npos) << part;
  }
}

// The S1 level is beyond what the generator can do: the calibration fails, its S3 point goes
// back, RF goes off, and what follows is not run.
TEST_F(AlignAllTest, AStepThatFailsEndsTheRunAndPutsBack) {
  rig.generator.minLevel(-135);
  const uint8_t s3 = rig.port.radio.image()[0xAA];
  Run("BPF ALL, RSSI, RX LVA");
  EXPECT_FALSE(align().succeeded());
  EXPECT_EQ(Results(), (std::vector<std::string>{"BPF ALL done", "RSSI failed", "RX LVA not run"}));
  EXPECT_NE(align().Headline().find("Align all stopped at RSSI: The generator"), std::string::npos)
      << align().Headline();
  for (int i = 0; i < 3; ++i) rig.GenTick();
  ASSERT_TRUE(rig.Until([&] { return rig.port.Quiet() && rig.program.op().work().isSteady(); }));
  EXPECT_EQ(rig.port.radio.image()[0xAA], s3);
  rig.program.op().work().generator().WaitIdle(10000);
  EXPECT_EQ(rig.generator.AntennaLevel(446006250, 25000), std::nullopt);
}

TEST_F(AlignAllTest, AButtonCutsTheRunOffAndTheSweepPutsBack) {
  rig.bench.sequence = "BPF ALL, RSSI";
  rig.UseBench();
  ASSERT_EQ(rig.program.main().AlignAll(), "");
  ASSERT_TRUE(rig.Until(
      [&] { return adjust::IsBpf(rig.program.op().work().actState()) && rig.port.radio.live.value[0x13] > 80; }));
  rig.program.main().ClickCmd00(1);
  EXPECT_EQ(Results(), (std::vector<std::string>{"BPF ALL failed", "RSSI not run"}));
  EXPECT_NE(align().Headline().find("cancelled by the technician"), std::string::npos);
  ASSERT_TRUE(rig.Until([&] { return rig.port.Quiet() && rig.program.op().work().isSteady(); }));
  EXPECT_EQ(rig.port.radio.image()[0x54], rig.program.op().work().imageAsRead()[0x54]);
  rig.program.op().work().generator().WaitIdle(10000);
  EXPECT_EQ(rig.generator.AntennaLevel(446006250, 25000), std::nullopt);
}

TEST_F(AlignAllTest, AnOrderlyCloseTurnsRfOff) {
  rig.bench.sequence = "BPF ALL";
  rig.UseBench();
  ASSERT_EQ(rig.program.main().AlignAll(), "");
  ASSERT_TRUE(rig.Until(
      [&] { return adjust::IsBpf(rig.program.op().work().actState()) && rig.port.radio.live.value[0x13] > 80; }));
  ASSERT_TRUE(rig.generator.AntennaLevel(446006250, 25000).has_value());
  rig.program.CloseDown();
  EXPECT_EQ(rig.generator.History().back(), ":SYST:ERR?");
  EXPECT_EQ(rig.generator.AntennaLevel(446006250, 25000), std::nullopt);
}

TEST_F(AlignAllTest, RunsThatCannotStartSayWhy) {
  struct Row {
    const char* generator;
    const char* sequence;
    const char* why;
  };
  const Row rows[] = {
      {"", "BPF ALL", "Align all needs a generator on the bench"},
      {"", "RX LVA, TX LVA", ""},
      {nullptr, "BPF ALL, Power", "Align all: \"Power\" is not a procedure of the console."},
      {nullptr, "", "Align all has no procedures to run"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.sequence);
    instrument::BenchOptions o = rig.bench;
    if (row.generator != nullptr) o.generator = row.generator;
    o.sequence = row.sequence;
    rig.program.op().work().generator().Configure(o);
    const std::string why = rig.program.main().AlignAll();
    EXPECT_EQ(why.substr(0, std::string(row.why).size()), row.why);
    if (why.empty()) {
      ASSERT_TRUE(rig.Until([&] { return !align().running(); }));
      EXPECT_TRUE(align().succeeded());
    }
  }
}

}  // namespace
