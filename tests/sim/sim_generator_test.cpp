#include "sim/SimGenerator.h"

#include <gtest/gtest.h>

#include "sim/SimCommands.h"
#include "sim/SimImage.h"
#include "sim/SimPhysics.h"
#include "sim/SimRadio.h"

namespace qxt::sim {
namespace {

TEST(SimGenerator, TakesShortAndLongMnemonicsWithUnitsAndQueuesItsErrors) {
  struct Row {
    const char* line;
    const char* answer;
  };
  const Row rows[] = {
      {"*IDN?", SimGenerator::kIdentity},
      {":FREQ 446.00625 MHZ", ""},
      {"FREQ?", "446006250"},
      {":SOURce:FREQuency:CW 145500kHz", ""},
      {"frequency?", "145500000"},
      {":FREQ 446006250", ""},
      {"sour:freq?", "446006250"},
      {":POW -129", ""},
      {":SOUR:POW:LEV:IMM:AMPL -126.5 DBM", ""},
      {"POWer?", "-126.5"},
      {":OUTP ON", ""},
      {":OUTPut:STATe?", "1"},
      {":SYST:ERR?", "0,\"No error\""},
      {":POW -200", ""},
      {":FREQ 10 PARSECS", ""},
      {":VOLT 3", ""},
      {":OUTP", ""},
      {":SYSTem:ERRor:NEXT?", "-222,\"Data out of range\""},
      {":SYST:ERR?", "-131,\"Invalid suffix\""},
      {":SYST:ERR?", "-113,\"Undefined header\""},
      {":SYST:ERR?", "-109,\"Missing parameter\""},
      {":SYST:ERR?", "0,\"No error\""},
      {":POW -150; *OPC?", "1"},
      {"*CLS; :SYST:ERR?", "0,\"No error\""},
      {":OUTP:MOD OFF; :OUTP OFF; OUTP?", "0"},
  };
  SimGenerator gen;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    EXPECT_EQ(gen.Handle(row.line), row.answer);
  }
}

// The radio on channel 01 (446.00625 MHz, wide) hears the generator only with RF on and within
// a channel's bandwidth; SD rises with the level.
TEST(SimGenerator, TheRadioHearsItOnlyWithRfOnAndOnItsChannel) {
  SimGenerator gen;
  SimRadio radio(DefaultImage({}));
  radio.generator = &gen;
  ASSERT_EQ(radio.RxHz(), 446006250);
  ASSERT_EQ(radio.BandwidthHz(), 25000);
  EXPECT_EQ(gen.AntennaLevel(radio.RxHz(), radio.BandwidthHz()), std::nullopt);
  gen.Handle(":FREQ 446.04 MHZ; :POW -129; :OUTP ON");
  EXPECT_EQ(gen.AntennaLevel(radio.RxHz(), radio.BandwidthHz()), std::nullopt);
  gen.Handle(":FREQ 446.02 MHZ");
  EXPECT_EQ(gen.AntennaLevel(radio.RxHz(), radio.BandwidthHz()), -129.0);
  EXPECT_EQ(gen.AntennaLevel(radio.RxHz(), 12500), std::nullopt);
  EXPECT_EQ(SimPhysics::LevelAmplitude(std::nullopt), 0.0);
  EXPECT_EQ(SimPhysics::LevelAmplitude(-141), 70.0);
  EXPECT_EQ(SimPhysics::LevelAmplitude(-129), 180.0);
  EXPECT_EQ(SimPhysics::LevelAmplitude(-60), 230.0);
  std::string reply;
  EXPECT_EQ(ApplyCommand("gen slow 800", radio, reply), CommandResult::kOk);
  EXPECT_EQ(gen.replyDelayMs(), 800);
  EXPECT_EQ(ApplyCommand("gen min-level -120", radio, reply), CommandResult::kOk);
  gen.Handle(":POW -129");
  EXPECT_EQ(gen.Handle(":SYST:ERR?"), "-222,\"Data out of range\"");
}

}  // namespace
}  // namespace qxt::sim
