#include <gtest/gtest.h>

#include <cmath>

#include "common/Common.h"
#include "memory/clsCmcEeprom.h"
#include "sim/SimCommands.h"
#include "sim/SimImage.h"
#include "sim/SimRadio.h"

using namespace qxt;

namespace {

Bytes Hex(const std::string& h) { return common::HexStrToByteStr(h); }

Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// All the bytes the radio (not the cable) sends for the given input.
Bytes Answers(sim::SimRadio& radio, const Bytes& in) {
  Bytes out;
  for (const auto& o : radio.Receive(in)) {
    if (!o.echo) out.insert(out.end(), o.bytes.begin(), o.bytes.end());
  }
  return out;
}

// The frames in a byte stream, each as its body between FE... and FD.
std::vector<Bytes> Bodies(const Bytes& stream) {
  std::vector<Bytes> bodies;
  Bytes body;
  bool in = false;
  for (uint8_t b : stream) {
    if (b == 0xFE) {
      in = true;
      body.clear();
    } else if (b == 0xFD && in) {
      bodies.push_back(body);
      in = false;
    } else if (in) {
      body.push_back(b);
    }
  }
  return bodies;
}

Bytes AsciiBlock(int address, const Bytes& data, int checksumError = 0) {
  Bytes raw{static_cast<uint8_t>(address >> 8), static_cast<uint8_t>(address), static_cast<uint8_t>(data.size())};
  raw.insert(raw.end(), data.begin(), data.end());
  unsigned sum = 0;
  for (uint8_t b : raw) sum += b;
  raw.push_back(static_cast<uint8_t>((256 - sum % 256 + checksumError) % 256));
  Bytes frame = Hex("FEFEEEEFE4");
  Bytes ascii = common::StrToByteStr(common::ByteStrToHexStr(raw));
  frame.insert(frame.end(), ascii.begin(), ascii.end());
  frame.push_back(0xFD);
  return frame;
}

}  // namespace

TEST(SimRadio, EchoesFirstAndAnswersTheInquiry) {
  sim::SimRadio radio(sim::DefaultImage({}), 2);
  auto out = radio.Receive(Hex("FEFEEEEFE029270000FD"));
  ASSERT_EQ(out.size(), 2u);
  EXPECT_TRUE(out[0].echo);
  EXPECT_EQ(out[0].bytes, Hex("FEFEEEEFE029270000FD"));
  auto bodies = Bodies(out[1].bytes);
  ASSERT_EQ(bodies.size(), 1u);
  const Bytes& e1 = bodies[0];
  ASSERT_EQ(e1.size(), 72u);
  EXPECT_EQ(Bytes(e1.begin(), e1.begin() + 7), Hex("EFEEE129270100"));
  EXPECT_EQ(e1[7], 65);
  EXPECT_EQ(e1[42], 0x06);
  EXPECT_EQ(e1[58], 0x20);
  EXPECT_EQ(Bytes(e1.begin() + 65, e1.begin() + 69), common::StrToByteStr("7D6F"));
}

TEST(SimRadio, CloneReadStreamsTheWholeImage) {
  Bytes image = sim::DefaultImage({true});
  sim::SimRadio radio(image);
  auto bodies = Bodies(Answers(radio, Hex("FEFEEEEFE229270100FD")));
  ASSERT_EQ(bodies.size(), 2008u);
  memory::clsCmcEeprom copy;
  for (size_t n = 0; n < 2007; ++n) {
    const Bytes& b = bodies[n];
    ASSERT_EQ(b.size(), 3u + 2 * (3 + 16 + 1));
    Bytes raw = common::HexStrToByteStr(std::string(b.begin() + 3, b.end()));
    unsigned sum = 0;
    for (uint8_t x : raw) sum += x;
    ASSERT_EQ(sum % 256, 0u);
    copy.WriteBlock(raw[0] * 256 + raw[1], Bytes(raw.begin() + 3, raw.end() - 1));
  }
  EXPECT_EQ(copy.bytes(), image);
  EXPECT_EQ(bodies[2007], Hex("EFEEE55461766F20496E632E4437"));  // "D7": 2007 blocks modulo 256
  EXPECT_EQ(image[sim::kCommonBase + 37], 0x80);                 // the Mid flag by option
}

TEST(SimRadio, IgnoresWhatIsNotForIt) {
  sim::SimRadio radio(sim::DefaultImage({}));
  EXPECT_TRUE(Answers(radio, Hex("FEFEEFEEE029270000FD")).empty());        // from the radio to the PC
  EXPECT_TRUE(Answers(radio, Hex("FEFEEEEFE229280100FD")).empty());        // another model
  EXPECT_TRUE(Answers(radio, Hex("FEFEEEEFE229270200FD")).empty());        // another sub code
  EXPECT_TRUE(Answers(radio, Hex("FEFEEEEFE8292701004A3031FD")).empty());  // unknown command
  EXPECT_TRUE(Answers(radio, Hex("FEFEEEEFE8292701000BZZFD")).empty());    // not a value
  uint32_t x = 7;
  for (int i = 0; i < 20000; ++i) {  // anything at all
    Bytes junk(static_cast<size_t>(i % 300));
    for (auto& b : junk) b = static_cast<uint8_t>((x = x * 1103515245 + 12345) >> 16);
    radio.Receive(junk);
  }
  EXPECT_FALSE(Answers(radio, Hex("FDFEFEEEEFE029270000FD")).empty());  // and still answers
}

TEST(SimRadio, LiveCommandsAndReadouts) {
  sim::SimRadio radio(sim::DefaultImage({}));
  Answers(radio, Hex("FEFEEEEFE829270100") + Hex("13") + common::StrToByteStr("5C") + Hex("FD"));
  EXPECT_EQ(radio.live.value[0x13], 0x5C);
  EXPECT_EQ(radio.image()[0x54], 0x5C);  // the radio keeps the setting in its EEPROM
  auto bodies = Bodies(Answers(radio, Hex("FEFEEEEFE82927010003") + common::StrToByteStr("10") + Hex("FD")));
  ASSERT_EQ(bodies.size(), 1u);  // channel 16 follows BPF T1
  EXPECT_EQ(bodies[0], Hex("EFEEE82927010003") + common::StrToByteStr("5C"));
  radio.faults.badAd = true;
  bodies = Bodies(Answers(radio, Hex("FEFEEEEFE82927010003") + common::StrToByteStr("00") + Hex("FD")));
  EXPECT_EQ(bodies[0], Hex("EFEEE82927010003") + common::StrToByteStr("G0"));
}

TEST(SimRadio, CloneWriteTakesGoodBlocksOnly) {
  sim::SimRadio radio(sim::DefaultImage({}));
  Answers(radio, Hex("FEFEEEEFE329270100FD"));
  Answers(radio, AsciiBlock(0x10, Bytes(16, 0xAB)));
  auto bodies = Bodies(Answers(radio, Hex("FEFEEEEFE55461766F20496E632EFD")));
  ASSERT_EQ(bodies.size(), 1u);
  EXPECT_EQ(bodies[0], Hex("EFEEE600"));
  EXPECT_EQ(radio.image()[0x1F], 0xAB);
  Answers(radio, Hex("FEFEEEEFE329270100FD"));
  Answers(radio, AsciiBlock(0x20, Bytes(16, 0xCD), 1));  // bad checksum
  bodies = Bodies(Answers(radio, Hex("FEFEEEEFE55461766F20496E632EFD")));
  EXPECT_EQ(bodies[0], Hex("EFEEE601"));
  EXPECT_NE(radio.image()[0x20], 0xCD);
}

TEST(SimRadio, FaultsShapeTheAnswers) {
  sim::SimRadio radio(sim::DefaultImage({}));
  radio.faults.noEcho = true;
  radio.faults.otherModel = true;
  radio.faults.shortE1 = true;
  radio.faults.slow = true;
  auto out = radio.Receive(Hex("FEFEEEEFE029270000FD"));
  ASSERT_EQ(out.size(), 1u);
  EXPECT_FALSE(out[0].echo);
  EXPECT_EQ(out[0].delayMs, 1300);
  auto bodies = Bodies(out[0].bytes);
  EXPECT_EQ(bodies[0].size(), 60u);
  EXPECT_EQ(bodies[0][4], 0x28);
  radio.faults.Clear();
  radio.faults.badChecksumBlock = 3;
  radio.faults.hangupAfterBlock = 5;
  auto stream = radio.Receive(Hex("FEFEEEEFE229270100FD"));
  ASSERT_EQ(stream.size(), 1u + 6u);  // echo, blocks 0..5, then the line goes dead
  EXPECT_TRUE(stream.back().hangUpAfter);
  Bytes block3 = Bodies(stream[4].bytes)[0];
  Bytes raw = common::HexStrToByteStr(std::string(block3.begin() + 3, block3.end()));
  unsigned sum = 0;
  for (uint8_t b : raw) sum += b;
  EXPECT_EQ(sum % 256, 1u);
  EXPECT_EQ(radio.Receive(Hex("FEFEEEEFE229270100FD")).size(), 1u + 2007u + 1u);  // the hang-up came once
}

TEST(SimRadio, PhysicsTheProgramCanMeasure) {
  // The thermistor reading turns back into the ambient temperature by the program's own law.
  for (double c : {-10.0, 9.0, 25.0, 60.0}) {
    double x = sim::SimPhysics::ThermistorRaw(c) * 5.0 / 255.0;
    double r = (500000 - 100000 * x) / x / 47000;
    double t = 1 / (std::log(r) / 4000 + 1 / 298.15) - 273.15;
    EXPECT_NEAR(t, c, 1.0);
  }
  for (int s = 1; s < 256; ++s) EXPECT_GE(sim::SimPhysics::LvinRaw(s), sim::SimPhysics::LvinRaw(s - 1));
  EXPECT_LT(sim::SimPhysics::LvinRaw(0), 120);
  EXPECT_GT(sim::SimPhysics::LvinRaw(255), 120);  // the default LV targets are reachable
  sim::Bench bench;
  sim::LiveState live;
  live.value[0x14] = bench.t2Centre;
  int top = 0, width = 0;
  for (int t1 = 0; t1 < 256; ++t1) {
    live.value[0x13] = t1;
    int sd = sim::SimPhysics().Read(4, bench, live);
    if (sd > top) top = sd, width = 0;
    if (sd == top) ++width;
  }
  EXPECT_EQ(width, 2 * bench.plateauHalfWidth + 1);
  bench.signal = sim::Signal::kOff;
  EXPECT_EQ(sim::SimPhysics().Read(4, bench, live), 12);
}

TEST(SimRadio, CommandsChangeTheBench) {
  sim::SimRadio radio(sim::DefaultImage({}));
  std::string reply;
  EXPECT_EQ(sim::ApplyCommand("signal s1", radio, reply), sim::CommandResult::kOk);
  EXPECT_EQ(radio.bench.signal, sim::Signal::kS1);
  EXPECT_EQ(sim::ApplyCommand("centre t2 120", radio, reply), sim::CommandResult::kOk);
  EXPECT_EQ(radio.bench.t2Centre, 120);
  EXPECT_EQ(sim::ApplyCommand("temp -5.5", radio, reply), sim::CommandResult::kOk);
  EXPECT_EQ(sim::ApplyCommand("help", radio, reply), sim::CommandResult::kOk);
  EXPECT_EQ(reply.rfind("commands: signal s1|s3|off", 0), 0u) << reply;
  EXPECT_EQ(sim::ApplyCommand("fault hangup 7", radio, reply), sim::CommandResult::kOk);
  EXPECT_EQ(radio.faults.hangupAfterBlock, 7);
  EXPECT_EQ(sim::ApplyCommand("fault nonsense", radio, reply), sim::CommandResult::kError);
  EXPECT_EQ(sim::ApplyCommand("centre t3 1", radio, reply), sim::CommandResult::kError);
  EXPECT_EQ(sim::ApplyCommand("quit", radio, reply), sim::CommandResult::kQuit);
}
