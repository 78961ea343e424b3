#include <gtest/gtest.h>

#include "support/LinkRig.h"

using namespace qxt;
using namespace qxt::test;

using frames::Cat;
using frames::Hex;

namespace {

const Bytes kInquiryFrame = Hex("FEFEEEEFE029270000FD");
const Bytes kCloneReadFrame = Hex("FEFEEEEFE229270100FD");

// The whole image as the transceiver streams it, 16 bytes a block, then the closing frame.
Bytes CloneStream(int firstAddress = 0, int lastAddress = 0x7D6F) {
  Bytes stream;
  int blocks = 0;
  for (int a = firstAddress; a <= lastAddress; a += 16, ++blocks) {
    Bytes data;
    for (int i = 0; i < 16; ++i) data.push_back(frames::PatternByte(a + i));
    stream = Cat(stream, frames::Block(a, data));
  }
  return Cat(stream, frames::End(blocks % 256));
}

// Runs the inquiry of a clone read up to the E2 request on the wire.
void ThroughInquiry(LinkRig& rig, const Bytes& inquiryAnswer) {
  rig.seq.easyCloneRead();
  rig.EchoAndAnswer(inquiryAnswer);
  rig.Tick();
}

}  // namespace

TEST(FrameDriver, CloneReadOnTheWire) {
  LinkRig rig;
  rig.seq.easyCloneRead();
  EXPECT_EQ(rig.port.written.at(0), kInquiryFrame);  // written inside the call
  EXPECT_TRUE(rig.seq.OpRunning());
  EXPECT_TRUE(rig.com.cln3D().Running());

  rig.EchoAndAnswer(frames::FromBody(frames::InquiryBody("2927", "0100", 0x06, 0x20)));
  EXPECT_EQ(rig.com.cln3D().ansInfo(), frames::InquiryBody("2927", "0100", 0x06, 0x20));
  EXPECT_EQ(rig.com.cln3D().EndAddress(), 32112);
  EXPECT_EQ(rig.seq.stepNo(), 3);  // identification and the idle pass ran in that tick
  EXPECT_EQ(rig.digitalOption, std::vector<bool>{true});
  EXPECT_EQ(rig.port.written.size(), 1u);

  rig.Tick();
  ASSERT_EQ(rig.port.written.size(), 2u);
  EXPECT_EQ(rig.port.written[1], kCloneReadFrame);
  EXPECT_EQ(rig.seq.stepNo(), 4);

  rig.EchoAndAnswer(CloneStream());
  EXPECT_FALSE(rig.com.cln3D().Running());
  EXPECT_EQ(rig.com.cln3D().lastEeAdr(), 0x7D6F);
  EXPECT_EQ(rig.com.cln3D().lastError(), link::DriverError::kNone);
  EXPECT_EQ(rig.seq.stepNo(), 0);  // the checking pass and the finishing pass
  EXPECT_EQ(rig.seq.Operation(), link::Operation::kStandby);
  for (int a = 0; a < 32112; a += 97) ASSERT_EQ(rig.radio.eepImage().ReadByte(a), frames::PatternByte(a)) << a;
  EXPECT_EQ(rig.radio.eepImage().ReadByte(32111), frames::PatternByte(32111));
  EXPECT_TRUE(rig.messages.empty());
  EXPECT_TRUE(rig.com.comOpen());  // held open until released
}

TEST(FrameDriver, EchoAndAnswerSplitAnywhereGiveTheSameResult) {
  const Bytes small = frames::InquiryBody("2927", "0100", 6, 0, "002F");  // a radio of 48 bytes
  Bytes inquiry = Cat(kInquiryFrame, frames::FromBody(frames::InquiryBody()));
  Bytes clone = Cat(kCloneReadFrame, CloneStream(0, 0x2F));
  for (size_t cut = 0; cut <= inquiry.size(); ++cut) {
    LinkRig rig;
    rig.seq.easyCloneRead();
    rig.port.receive(Bytes(inquiry.begin(), inquiry.begin() + static_cast<std::ptrdiff_t>(cut)));
    rig.port.receive(Bytes(inquiry.begin() + static_cast<std::ptrdiff_t>(cut), inquiry.end()));
    ASSERT_EQ(rig.com.cln3D().ansInfo(), frames::InquiryBody()) << cut;
    ASSERT_EQ(rig.seq.stepNo(), 3) << cut;
  }
  for (size_t cut = 0; cut <= clone.size(); ++cut) {
    LinkRig rig;
    ThroughInquiry(rig, frames::FromBody(small));
    rig.port.receive(Bytes(clone.begin(), clone.begin() + static_cast<std::ptrdiff_t>(cut)));
    rig.port.receive(Bytes(clone.begin() + static_cast<std::ptrdiff_t>(cut), clone.end()));
    ASSERT_EQ(rig.com.cln3D().lastError(), link::DriverError::kNone) << cut;
    ASSERT_EQ(rig.com.cln3D().lastEeAdr(), 0x2F) << cut;
    ASSERT_EQ(rig.seq.Operation(), link::Operation::kStandby) << cut;
    ASSERT_EQ(rig.radio.eepImage().ReadByte(0x2F), frames::PatternByte(0x2F)) << cut;
  }
  LinkRig rig;  // and byte by byte
  ThroughInquiry(rig, frames::FromBody(small));
  for (uint8_t b : clone) rig.port.receive({b});
  EXPECT_EQ(rig.com.cln3D().lastEeAdr(), 0x2F);
  EXPECT_EQ(rig.seq.Operation(), link::Operation::kStandby);
}

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
  EXPECT_EQ(rig.seq.stepNo(), 3);
}

TEST(FrameDriver, SendRefusedWhileAnExchangeRunsOrPortIsBusy) {
  LinkRig rig;
  rig.seq.easyCloneRead();
  link::clsCmcCln3Drv& drv = rig.com.cln3D();
  EXPECT_EQ(drv.Send(Hex("E0292700 00")), common::Outcome::kRefused);
  EXPECT_EQ(rig.port.written.size(), 1u);
  EXPECT_TRUE(drv.Running());
  rig.com.comOpen(true);  // an open port opened again: output discarded, exchange dropped
  EXPECT_FALSE(drv.Running());
  rig.port.holdOutput = true;
  rig.port.pendingOutput = 1024 - 256;  // 256 free is not enough
  EXPECT_FALSE(drv.SendEnable());
  rig.port.pendingOutput = 1024 - 257;
  EXPECT_TRUE(drv.SendEnable());
  rig.com.comOpen(false);
  EXPECT_FALSE(drv.SendEnable());
}

TEST(FrameDriver, LiveCommandWithoutAnswerEndsWithItsEcho) {
  LinkRig rig;
  rig.seq.easySendE8NoAnswer("01 02");
  EXPECT_EQ(rig.port.lastWritten(), Hex("FEFEEEEFE82927010001 02FD"));
  EXPECT_TRUE(rig.com.cln3D().Running());
  rig.port.receive(rig.port.lastWritten());
  EXPECT_FALSE(rig.seq.OpRunning());
  EXPECT_TRUE(rig.messages.empty());

  rig.seq.easySendE8NoAnswer("01 02");  // a command the cable never echoes is reported
  rig.Tick(999);
  EXPECT_TRUE(rig.messages.empty());
  rig.Tick(1);
  EXPECT_EQ(rig.FirstLine(), "Cannot access COM port");
  EXPECT_EQ(rig.com.cln3D().lastError(), link::DriverError::kNoEcho);
}

TEST(FrameDriver, LiveCommandAnswerIsCheckedAndKept) {
  LinkRig rig;
  rig.seq.easySendE8ReqAnswer("033035");
  EXPECT_EQ(rig.port.lastWritten(), Hex("FEFEEEEFE82927010003 3035FD"));
  rig.EchoAndAnswer(frames::LiveAnswer("03", Hex("3830")));
  EXPECT_EQ(rig.com.cln3D().varLastE8Answer(), Hex("2927010003 3830"));
  EXPECT_EQ(rig.seq.Operation(), link::Operation::kStandby);

  rig.seq.easySendE8ReqAnswer("033035");
  rig.EchoAndAnswer(frames::LiveAnswer("04", Hex("3830")));  // another sub-command echoed
  EXPECT_EQ(rig.com.cln3D().lastError(), link::DriverError::kInvalidAnswer);
  ASSERT_EQ(rig.messages.size(), 1u);
  EXPECT_EQ(rig.messages[0].substr(0, 13), "Illegal data.");
}

TEST(FrameDriver, AnswerMissingGivesThreeTransmissionsThenError2) {
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

TEST(FrameDriver, CloneWriteBlocksFollowTheAreaList) {
  LinkRig rig;
  link::clsCmcCln3Drv& drv = rig.com.cln3D();
  for (int a = 0; a < 0x20; ++a) rig.radio.eepImage().WriteByte(a, static_cast<uint8_t>(a));
  drv.myEep(&rig.radio.eepImage());
  drv.sizDataOfPacket(16);
  drv.cloneWriteAdrList("0000-0017,8000-8001,");
  // 00 00 10, the bytes 00..0F, checksum: all as ASCII-hex after the E4 code.
  Bytes first = drv.makeWriteBlock();
  EXPECT_EQ(Bytes(first.begin(), first.begin() + 7), Cat(Hex("E4"), common::StrToByteStr("000010")));
  EXPECT_EQ(first.size(), 1u + 2 * (3 + 16 + 1));
  EXPECT_EQ(drv.nextWriteAdr(), 0x10);
  Bytes second = drv.makeWriteBlock();  // shortened to the area end: 8 bytes
  EXPECT_EQ(Bytes(second.begin(), second.begin() + 7), Cat(Hex("E4"), common::StrToByteStr("001008")));
  EXPECT_EQ(Bytes(second.end() - 2, second.end()),
            common::StrToByteStr(common::ByteToHex2(256 - (0x10 + 8 + 0x9C) % 256)));
  EXPECT_EQ(drv.lastEeAdr(), 0x17);
  EXPECT_EQ(drv.nextWriteAdr(), 0x8000);  // the next area: an address, not the end of the list
  Bytes third = drv.makeWriteBlock();
  EXPECT_EQ(Bytes(third.begin(), third.begin() + 7), Cat(Hex("E4"), common::StrToByteStr("800002")));
  EXPECT_EQ(drv.nextWriteAdr(), -1);  // the list is exhausted
}
