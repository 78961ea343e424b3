// A procedure that does not finish leaves the radio as it found it, and a result that cannot be
// right is refused: through the whole program core against the simulated radio.
#include <gtest/gtest.h>

#include <functional>

#include "support/ProgramRig.h"

using namespace qxt;
using namespace qxt::test;

namespace {

constexpr int16_t kBpfAll = 8, kBpfT1 = 9, kBpfT2 = 10, kRxLva = 11, kRssi = 15;
const std::string kFailed = " (Auto Adjust Failed)";

int Sent(const ProgramRig& rig, int command) {
  int n = 0;
  for (const auto& l : rig.port.lives) n += l.command == command ? 1 : 0;
  return n;
}

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

class PutBack : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(rig.Connect());
    ASSERT_TRUE(rig.Settle());
  }
  // The radio, its running settings and the program's image all hold value at address.
  void ExpectEverywhere(int command, int address, int value) {
    EXPECT_EQ(rig.port.radio.live.value[command], value) << std::hex << address;
    EXPECT_EQ(rig.port.radio.image()[static_cast<size_t>(address)], value) << std::hex << address;
    EXPECT_EQ(rig.program.radio().eepImage().ReadByte(address), value) << std::hex << address;
  }
  void Enter(int16_t item) { rig.program.console().EnterPushed(item); }

  ProgramRig rig;
};

struct CancelCase {
  const char* name;
  int16_t item;
  std::function<bool(ProgramRig&)> midway;
  std::function<void(ProgramRig&)> cancel;
};

bool SweepUnderWay(ProgramRig& rig) { return Sent(rig, 0x13) >= 5; }
bool LvaUnderWay(ProgramRig& rig) { return rig.program.op().work().actState() >= adjust::ActState::kLvaReadHigh; }

}  // namespace

TEST_F(PutBack, EveryWayOfCuttingAProcedureOffPutsItsValuesBack) {
  const CancelCase cases[] = {
      {"BPF ALL, then Reload", kBpfAll, SweepUnderWay, [](ProgramRig& r) { r.program.main().ClickCmd00(1); }},
      {"BPF ALL, then Disp para", kBpfAll, SweepUnderWay, [](ProgramRig& r) { r.program.main().ClickCmd00(2); }},
      {"BPF T1, then Enter on RX LVA", kBpfT1, SweepUnderWay,
       [](ProgramRig& r) { r.program.console().EnterPushed(kRxLva); }},
      {"RX LVA, then Enter on RSSI", kRxLva, LvaUnderWay,
       [](ProgramRig& r) { r.program.console().EnterPushed(kRssi); }},
  };
  for (const CancelCase& c : cases) {
    SCOPED_TRACE(c.name);
    Enter(c.item);
    ASSERT_TRUE(rig.TickUntil([&] { return c.midway(rig); }));
    c.cancel(rig);
    for (int i = 0; i < 40; ++i) rig.Tick();  // whatever the cancel started runs on meanwhile
    const bool lva = c.item == kRxLva;
    if (lva) {
      ExpectEverywhere(0x06, 0x5C, 110);
    } else {
      ExpectEverywhere(0x13, 0x54, 80);
      if (c.item == kBpfAll) ExpectEverywhere(0x14, 0x55, 96);
    }
    const int16_t line = lva ? kRxLva : kBpfT1;
    EXPECT_EQ(rig.program.console().Value(line), lva ? 110 : 80);
    if (rig.program.op().RigK70RProp_DispPara()) rig.program.main().ClickCmd00(2);
    rig.program.main().ClickCmd00(1);  // stops what the cancel started, which puts back its own
    ASSERT_TRUE(rig.Settle());
    EXPECT_TRUE(EndsWith(rig.Line(line), kFailed)) << rig.Line(line);
  }
  // On record: each procedure cut off, and the values put back, with why.
  const int64_t session = rig.program.record().session();
  for (const auto& p : rig.Reader().Procedures(session)) EXPECT_EQ(p.outcome, "cancelled") << p.kind;
  int putBack = 0;
  for (const auto& e : rig.Reader().Events(session)) putBack += e.reason == "put back" ? 1 : 0;
  EXPECT_GE(putBack, 4);
}

TEST_F(PutBack, AnRssiCalibrationCutOffAfterItsFirstPointPutsThatPointBack) {
  const int s3 = rig.port.radio.image()[0xAA];
  Enter(kRssi);
  ASSERT_TRUE(rig.TickUntil([&] { return adjust::IsRssi(rig.program.op().work().actState()); }));
  Enter(kRssi);  // the S3 point is stored
  ASSERT_TRUE(rig.TickUntil([&] { return rig.program.op().work().actions().flgRssiPhase(); }));
  ASSERT_NE(rig.port.radio.image()[0xAA], s3);
  rig.program.main().ClickCmd00(1);
  ASSERT_TRUE(rig.Settle());
  ExpectEverywhere(0x16, 0xAA, s3);
  EXPECT_EQ(rig.Line(kRssi), "      RSSI: [Enter] to Start" + kFailed);
}

TEST_F(PutBack, AResetWhileTheLinkWorksStillPutsBackButAFailedLinkIsNamed) {
  Enter(kBpfT1);
  ASSERT_TRUE(rig.TickUntil([&] { return SweepUnderWay(rig); }));
  rig.port.radio.faults.badAd = true;  // the radio answers, wrongly: reset, link still working
  ASSERT_TRUE(rig.TickUntil([&] { return !rig.messages.shown.empty(); }));
  rig.port.radio.faults.Clear();
  for (int i = 0; i < 40; ++i) rig.Tick();
  EXPECT_TRUE(rig.program.op().work().isIdle());
  EXPECT_EQ(rig.port.radio.live.value[0x13], 80);
  EXPECT_EQ(rig.port.radio.image()[0x54], 80);

  ASSERT_TRUE(rig.Connect());
  ASSERT_TRUE(rig.Settle());
  Enter(kBpfT2);
  ASSERT_TRUE(rig.TickUntil([&] { return Sent(rig, 0x14) >= 5; }));
  const int64_t session = rig.program.record().session();
  rig.port.radio.faults.noEcho = true;  // the cable is pulled: nothing can be put back
  ASSERT_TRUE(rig.TickUntil([&] { return rig.messages.shown.size() == 2; }));
  EXPECT_EQ(rig.messages.shown[1].text.substr(0, 22), "Cannot access COM port");
  ASSERT_FALSE(rig.view.notices.empty());
  EXPECT_NE(rig.view.notices.back().find("BPF T2 96"), std::string::npos) << rig.view.notices.back();
  const auto ended = rig.Reader().Session(session);  // the session ends with the message shown
  EXPECT_EQ(ended->outcome + ": " + ended->outcomeText, "error: " + rig.messages.shown[1].text);
  EXPECT_EQ(ended->errors, 1);
}

TEST_F(PutBack, ASweepWithoutASignalKeepsTheFilterAndSaysSo) {
  rig.port.radio.bench.signal = sim::Signal::kOff;
  Enter(kBpfT1);
  ASSERT_TRUE(rig.Settle());
  EXPECT_EQ(rig.program.console().Value(kBpfT1), 80);
  ExpectEverywhere(0x13, 0x54, 80);
  EXPECT_TRUE(EndsWith(rig.Line(kBpfT1), " [Enter] to Sweep" + kFailed));
  EXPECT_EQ(rig.view.beeps, 1);

  rig.port.radio.bench.signal = sim::Signal::kS3;  // with a signal the same sweep succeeds
  Enter(kBpfT1);
  ASSERT_TRUE(rig.Settle());
  EXPECT_EQ(rig.program.console().Value(kBpfT1), 92);
  EXPECT_TRUE(EndsWith(rig.Line(kBpfT1), " [Enter] to Sweep"));
}

TEST_F(PutBack, AnRssiCalibrationWithoutASignalStoresNeitherPoint) {
  const int s3 = rig.port.radio.image()[0xAA], s1 = rig.port.radio.image()[0xA9];
  rig.port.radio.bench.signal = sim::Signal::kOff;
  Enter(kRssi);
  ASSERT_TRUE(rig.TickUntil([&] { return adjust::IsRssi(rig.program.op().work().actState()); }));
  Enter(kRssi);
  ASSERT_TRUE(rig.TickUntil([&] { return rig.program.op().work().actions().flgRssiPhase(); }));
  Enter(kRssi);  // S1 reads as low as S3: no calibration
  ASSERT_TRUE(rig.Settle());
  ExpectEverywhere(0x16, 0xAA, s3);
  EXPECT_EQ(rig.port.radio.image()[0xA9], s1);
  EXPECT_EQ(Sent(rig, 0x15), 0);
  EXPECT_EQ(rig.Line(kRssi), "      RSSI: [Enter] to Start" + kFailed);
}

// Closing the window, a logout or a signal: the program ends as a button cancels, the values put
// back before the port closes; when the radio no longer answers, the end comes within its bound
// and names what was left in the radio.
TEST_F(PutBack, AnOrderlyEndPutsBackBeforeThePortCloses) {
  const CancelCase cases[] = {
      {"BPF ALL", kBpfAll, SweepUnderWay, nullptr},
      {"RX LVA", kRxLva, LvaUnderWay, nullptr},
      {"BPF T1, the cable pulled", kBpfT1, SweepUnderWay, [](ProgramRig& r) { r.port.radio.faults.noEcho = true; }},
  };
  for (const CancelCase& c : cases) {
    SCOPED_TRACE(c.name);
    ProgramRig fresh;
    ASSERT_TRUE(fresh.Connect());
    ASSERT_TRUE(fresh.Settle());
    const int64_t session = fresh.program.record().session();
    fresh.program.console().EnterPushed(c.item);
    ASSERT_TRUE(fresh.TickUntil([&] { return c.midway(fresh); }));
    if (c.cancel) c.cancel(fresh);
    fresh.program.BeginEnd();
    ASSERT_TRUE(fresh.TickUntil([&] { return fresh.program.EndSettled(); }));
    fresh.program.CloseDown();
    const auto procedures = fresh.Reader().Procedures(session);
    ASSERT_EQ(procedures.size(), 1u);
    EXPECT_EQ(procedures[0].outcome, "cancelled");
    EXPECT_NE(procedures[0].endValues, "");
    if (c.cancel) {
      ASSERT_FALSE(fresh.view.notices.empty());
      const std::string left = fresh.view.notices.back();
      EXPECT_EQ(left.rfind("Not put back into the radio, ", 0), 0u) << left;
      EXPECT_NE(left.find(": BPF T1 80. Check these values."), std::string::npos) << left;
      bool recorded = false;
      for (const auto& e : fresh.Reader().Events(session)) recorded = recorded || e.text == left;
      EXPECT_TRUE(recorded);
      continue;
    }
    if (c.item == kRxLva) {
      EXPECT_EQ(fresh.port.radio.live.value[0x06], 110);
      EXPECT_EQ(fresh.port.radio.image()[0x5C], 110);
    } else {
      EXPECT_EQ(fresh.port.radio.live.value[0x13], 80);
      EXPECT_EQ(fresh.port.radio.live.value[0x14], 96);
      EXPECT_EQ(fresh.port.radio.image()[0x54], 80);
      EXPECT_EQ(fresh.port.radio.image()[0x55], 96);
    }
    EXPECT_EQ(fresh.Reader().Session(session)->outcome, "exit");
  }
}
