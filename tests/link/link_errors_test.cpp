#include <gtest/gtest.h>

#include "support/LinkRig.h"

using namespace qxt;
using namespace qxt::test;

using frames::Cat;
using frames::Hex;

namespace {

using D = link::DriverError;
using S = link::SequencerError;

// What a failure leaves behind: the codes, the first line of the message and the port.
struct Outcome {
  link::DriverError driverError;
  link::SequencerError sequencerError;
  std::string firstLine;
};

Outcome Result(const LinkRig& rig) {
  std::string first = rig.messages.empty() ? "(none)" : rig.messages.back().substr(0, rig.messages.back().find('\r'));
  return {rig.com.cln3D().lastError(), rig.seq.error(), first};
}

void ExpectFailure(const LinkRig& rig, link::DriverError driver, link::SequencerError sequencer,
                   const std::string& firstLine) {
  Outcome out = Result(rig);
  EXPECT_EQ(out.driverError, driver);
  EXPECT_EQ(out.sequencerError, sequencer);
  EXPECT_EQ(out.firstLine, firstLine);
  EXPECT_EQ(rig.messages.size(), 1u);
  EXPECT_FALSE(rig.com.comOpen());
  EXPECT_FALSE(rig.seq.OpRunning());
  EXPECT_FALSE(rig.com.cln3D().Running());
}

void StartCloneRead(LinkRig& rig, const Bytes& inquiryAnswer) {
  rig.seq.easyCloneRead();
  rig.EchoAndAnswer(inquiryAnswer);
}

}  // namespace

TEST(LinkErrors, MalformedInquiryAnswersAreIllegalData) {
  Bytes badLength = frames::InquiryBody();
  badLength[7] = 0x40;
  Bytes letters = frames::InquiryBody("2A27");
  for (const Bytes& body : {badLength, letters, frames::InquiryBody("2927", "0100", 6, 0, "7D6F", 68),
                            frames::InquiryBody("2927", "0100", 6, 0, "7D6F", 58)}) {
    LinkRig rig;
    StartCloneRead(rig, frames::FromBody(body));
    ExpectFailure(rig, D::kInvalidAnswer, S::kDriverFailed, "Illegal data.");
  }
}

TEST(LinkErrors, BadBlocksAreIllegalDataAndEndTheRead) {
  auto block = [](int checksumError) { return frames::Block(0, Bytes(16, 0x11), checksumError); };
  Bytes evenLength = block(0);
  evenLength.insert(evenLength.end() - 1, 0x30);
  Bytes badPair = block(0);
  badPair[12] = 'G';
  Bytes wrongCount = frames::FromRadio(Cat(Hex("E4"), common::StrToByteStr("000011" + std::string(32, '0') + "EF")));
  int n = 0;
  // Longer than any block can be: refused as a whole, never taken in part.
  const Bytes overlong = frames::FromRadio(Cat(Hex("E4"), Bytes(1001, 0x30)));
  const Bytes shortEnd = frames::FromRadio(Hex("E55461766F"));
  for (const Bytes& bad :
       {block(1), evenLength, badPair, wrongCount, frames::FromRadio(Hex("E4303030")), overlong, shortEnd}) {
    SCOPED_TRACE(n++);
    LinkRig rig;
    StartCloneRead(rig, frames::FromBody(frames::InquiryBody()));
    rig.Tick();
    rig.EchoAndAnswer(bad);
    EXPECT_FALSE(rig.seq.OpRunning());
    ExpectFailure(rig, D::kInvalidAnswer, S::kNone, "Illegal data.");
  }
}

TEST(LinkErrors, ABlockOutsideTheImageIsDataOverflow) {
  LinkRig rig;
  StartCloneRead(rig, frames::FromBody(frames::InquiryBody()));
  rig.Tick();
  rig.EchoAndAnswer(frames::Block(0x7D68, Bytes(16, 1)));  // would pass 7D6F
  ExpectFailure(rig, D::kImageRefused, S::kNone, "Data overflow.");
  EXPECT_EQ(rig.radio.eepImage().ReadByte(0x7D68), 0);
}

TEST(LinkErrors, ARefusedCloneWriteCannotBeWritten) {
  LinkRig rig;
  link::clsCmcCln3Drv& drv = rig.com.cln3D();
  rig.com.setComOpen(true);
  drv.setWorkMode(link::WorkMode::kCloneWriteEnd);
  ASSERT_EQ(drv.Send(Hex("E55461766F20496E632E")), common::Outcome::kDone);
  drv.read(Cat(rig.port.lastWritten(), frames::FromRadio(Hex("E601"))));
  EXPECT_EQ(drv.lastError(), link::DriverError::kWriteRefused);
  EXPECT_EQ(drv.nowError(), link::DriverError::kWriteRefused);
  EXPECT_TRUE(rig.com.totalError());
  rig.Tick();  // the tick reports it and closes the port
  EXPECT_EQ(Result(rig).firstLine, "Cannot write cloning data.");
  EXPECT_FALSE(rig.com.comOpen());
}

TEST(LinkErrors, HostileStreamsNeverGrowOrHang) {
  LinkRig rig;
  rig.seq.easyCloneRead();
  rig.port.receive(rig.port.lastWritten());
  Bytes flood(100000, 0x41);
  flood[0] = 0xFE;  // one endless body
  rig.port.receive(flood);
  EXPECT_TRUE(rig.com.cln3D().Running());
  rig.Tick(1200);
  EXPECT_EQ(rig.com.cln3D().lastError(), link::DriverError::kNoAnswer);  // the exchange still ended
  uint32_t x = 12345;
  for (int i = 0; i < 2000; ++i) {  // random bytes in every phase
    Bytes chunk(static_cast<size_t>(i % 97), 0);
    for (auto& b : chunk) b = static_cast<uint8_t>((x = x * 1103515245 + 12345) >> 16);
    if (i % 50 == 0) rig.seq.easyCloneRead();
    rig.port.receive(chunk);
    rig.Tick(static_cast<int32_t>(x % 700));
  }
  // Whatever came before, the next operation works.
  rig.seq.easyReset(1);
  rig.messages.clear();
  StartCloneRead(rig, frames::FromBody(frames::InquiryBody()));
  EXPECT_EQ(rig.com.cln3D().ansInfo(), frames::InquiryBody());
  EXPECT_TRUE(rig.messages.empty());
}

// A frame the port cannot take fails its operation with code 8, at the step that would have
// judged its echo; a live command is never counted as sent, and an identification never judges
// the answer of an earlier inquiry.
TEST(LinkErrors, RefusedSendsCannotClone) {
  struct Case {
    const char* name;
    bool live;
    link::SequencerError sequencer;
  };
  for (const Case c : {Case{"live command", true, S::kNone}, Case{"clone read", false, S::kDriverFailed}}) {
    SCOPED_TRACE(c.name);
    LinkRig rig;
    StartCloneRead(rig, frames::FromBody(frames::InquiryBody()));  // an answer is now on hand
    rig.seq.easyReset(1);
    rig.com.setComOpen(true);  // open already, so nothing clears what waits to go out
    rig.port.holdOutput = true;
    rig.port.pendingOutput = link::frmCom::kOutBufferSize;  // no room left for a frame
    const size_t framesBefore = rig.port.written.size();
    if (c.live) {
      rig.seq.easySendE8NoAnswer("0B3533");
    } else {
      rig.seq.easyCloneRead();
      EXPECT_TRUE(rig.seq.ansInfo().empty());
    }
    rig.Tick();
    EXPECT_EQ(rig.port.written.size(), framesBefore);
    ExpectFailure(rig, D::kWriteNotSent, c.sequencer, "Cannot Clone.");
  }
}
