#include <gtest/gtest.h>

#include "support/LinkRig.h"

using namespace qxt;
using namespace qxt::test;

using frames::Cat;
using frames::Hex;

namespace {

// Runs the inquiry of a clone read up to the E2 request on the wire.
void ThroughInquiry(LinkRig& rig, const Bytes& inquiryAnswer) {
  rig.seq.easyCloneRead();
  rig.EchoAndAnswer(inquiryAnswer);
  rig.Tick();
}

}  // namespace

TEST(FrameDriver, IgnoresWhatIsNotItsAnswer) {
  LinkRig rig;
  rig.seq.easyCloneRead();
  Bytes noise = Cat(Cat(Hex("0102FD0304"),                // garbage, even an FD
                        frames::Block(0, Bytes(16, 1))),  // E4 in inquiry mode
                    Cat(Hex("FEFEEEEFE1FD"),              // not from EE to EF
                        Hex("FEFEEF")));                  // too short a body
  noise = Cat(noise, Hex("FD"));
  rig.EchoAndAnswer(noise);
  EXPECT_TRUE(rig.com.cln3D().Running());
  EXPECT_EQ(rig.radio.eepImage().ReadByte(0), 0);
  // Extra FE bytes in front of the answer are skipped.
  Bytes answer = frames::FromBody(frames::InquiryBody());
  rig.port.receive(Cat(Hex("FEFEFEFE"), Bytes(answer.begin() + 2, answer.end())));
  EXPECT_EQ(rig.com.cln3D().ansInfo(), frames::InquiryBody());
  rig.Tick();  // the identification done, the read is asked for
  EXPECT_EQ(rig.port.lastWritten().at(4), 0xE2);
}

TEST(FrameDriver, SendRefusedWhileAnExchangeRunsOrPortIsBusy) {
  LinkRig rig;
  rig.seq.easyCloneRead();
  link::clsCmcCln3Drv& drv = rig.com.cln3D();
  EXPECT_EQ(drv.Send(Hex("E0292700 00")), common::Outcome::kRefused);
  EXPECT_EQ(rig.port.written.size(), 1u);
  EXPECT_TRUE(drv.Running());
  rig.com.setComOpen(true);  // an open port opened again: output discarded, exchange dropped
  EXPECT_FALSE(drv.Running());
  rig.port.holdOutput = true;
  rig.port.pendingOutput = 1024 - 256;  // 256 free is not enough
  EXPECT_FALSE(drv.SendEnable());
  rig.port.pendingOutput = 1024 - 257;
  EXPECT_TRUE(drv.SendEnable());
  rig.com.setComOpen(false);
  EXPECT_FALSE(drv.SendEnable());
}

TEST(FrameDriver, LiveCommandAnswerIsCheckedAndKept) {
  LinkRig rig;
  rig.seq.easySendE8ReqAnswer("033035");
  EXPECT_EQ(rig.port.lastWritten(), Hex("FEFEEEEFE82927010003 3035FD"));
  rig.EchoAndAnswer(frames::LiveAnswer("03", Hex("3830")));
  EXPECT_EQ(rig.seq.operation(), link::Operation::kStandby);
  rig.port.receive(Hex("FEFEEFEEE1FD"));  // a later frame leaves the answer as it was
  const auto answer = rig.seq.TakeAnswer();
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->subCommand, 0x03);
  EXPECT_EQ(answer->value, 0x80);
  EXPECT_FALSE(rig.seq.TakeAnswer());  // handed over once

  rig.seq.easySendE8ReqAnswer("033035");
  rig.EchoAndAnswer(frames::LiveAnswer("04", Hex("3830")));  // another sub-command echoed
  EXPECT_EQ(rig.com.cln3D().lastError(), link::DriverError::kInvalidAnswer);
  ASSERT_EQ(rig.messages.size(), 1u);
  EXPECT_EQ(rig.messages[0].substr(0, 13), "Illegal data.");
}

// Which E8 answers fail the exchange, which complete it without a value, and which give one.
TEST(FrameDriver, LiveAnswerJudgedOnce) {
  const Bytes sent = Hex("E82927010003 3035");
  enum class Verdict { kBrokenFrame, kNoValue, kValue };
  const struct {
    const char* body;
    Verdict verdict;
  } cases[] = {
      {"EFEEE82927010003 3830", Verdict::kValue},       {"EFEEE82927010003 6665", Verdict::kValue},  // "fe"
      {"EFEEE82927010003 4730", Verdict::kNoValue},                                                  // "G0"
      {"EFEEE82927010003 3020", Verdict::kNoValue},                                                  // "0 "
      {"EFEEE82927010003 38", Verdict::kNoValue},                                                    // one digit
      {"EFEEE82927010003 383030", Verdict::kNoValue},                                                // three
      {"EFEEE82928010003 3830", Verdict::kNoValue},      // another radio's codes
      {"EFEEE82927010004 3830", Verdict::kBrokenFrame},  // another sub-command
      {"EFEEE8292A010003 3830", Verdict::kBrokenFrame},  // codes that are not decimal digits
      {"EFEEE8292701", Verdict::kBrokenFrame},
  };
  for (const auto& c : cases) {
    const auto judged = link::wire::JudgeLiveAnswer(Hex(c.body), sent);
    EXPECT_EQ(judged.frameValid, c.verdict != Verdict::kBrokenFrame) << c.body;
    EXPECT_EQ(judged.answer.has_value(), c.verdict == Verdict::kValue) << c.body;
  }
  EXPECT_EQ(link::wire::JudgeLiveAnswer(Hex("EFEEE82927010003 6665"), sent).answer->value, 0xFE);
}

TEST(FrameDriver, AMissingAnswerIsAskedThreeTimesThenNoAnswer) {
  LinkRig rig;
  rig.seq.easySendE8ReqAnswer("0330");
  for (int sent = 1; sent <= 3; ++sent) {
    ASSERT_EQ(rig.port.written.size(), static_cast<size_t>(sent));
    rig.port.receive(rig.port.lastWritten());  // echo
    rig.Tick(1199);
    EXPECT_EQ(rig.com.cln3D().lastError(), link::DriverError::kNone);
    rig.Tick(1);
  }
  EXPECT_EQ(rig.port.written.size(), 3u);
  EXPECT_EQ(rig.com.cln3D().lastError(), link::DriverError::kNoAnswer);
  ASSERT_EQ(rig.messages.size(), 1u);
  EXPECT_EQ(rig.messages[0].substr(0, 27), "No answer from transceiver.");
  EXPECT_FALSE(rig.com.comOpen());
}

TEST(FrameDriver, EndAddressComesFromTheInquiryAnswer) {
  LinkRig rig;
  ThroughInquiry(rig, frames::FromBody(frames::InquiryBody("2927", "0100", 6, 0, "7D65")));
  EXPECT_EQ(rig.com.cln3D().EndAddress(), 0x7D70);
  LinkRig other;
  ThroughInquiry(other, frames::FromBody(frames::InquiryBody("2927", "0100", 6, 0, "00FF")));
  EXPECT_EQ(other.com.cln3D().EndAddress(), 0x100);
}

// A clone write sends its areas in blocks; an area that is not a whole number of blocks ends in a
// short one, and the next area starts afresh.
TEST(FrameDriver, WriteAreasEndInAShortBlock) {
  link::WriteAreaList areas;
  areas.Reset("0000-0014,0100-010F,");
  std::vector<std::pair<int32_t, int32_t>> blocks;
  while (areas.next() >= 0) {
    const auto b = areas.Take(16);
    blocks.emplace_back(b.address, b.count);
  }
  EXPECT_EQ(blocks, (std::vector<std::pair<int32_t, int32_t>>{{0x0000, 16}, {0x0010, 5}, {0x0100, 16}}));
}
