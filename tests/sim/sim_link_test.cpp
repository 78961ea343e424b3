#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "Common.h"
#include "SimImage.h"
#include "SimLinkRig.h"

namespace {

const Bytes kDefaultImage = sim::DefaultImage({});

void ExpectImageEquals(const clsCmcRadio& radio, const Bytes& expected) {
  const Bytes& got = const_cast<clsCmcRadio&>(radio).eepImage().bytes();
  ASSERT_EQ(got.size(), expected.size());
  for (size_t a = 0; a < got.size(); ++a) ASSERT_EQ(got[a], expected[a]) << "address " << a;
}

}  // namespace

TEST(SimLink, CloneReadGivesTheSimulatorsImage) {
  SimProcess sim;
  ASSERT_FALSE(sim.path().empty());
  SimLinkRig rig(sim);
  rig.seq.easyCloneRead();
  ASSERT_TRUE(rig.RunToIdle());
  EXPECT_TRUE(rig.messages.empty()) << rig.messages.front();
  EXPECT_EQ(rig.com.cln3D.lastEeAdr(), 0x7D6F);
  ExpectImageEquals(rig.radio, kDefaultImage);
  EXPECT_TRUE(rig.com.comOpen());
}

TEST(SimLink, ImageFromAFileAndGarbageBetweenFrames) {
  Bytes image(32112);
  for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(i * 131 + (i >> 8));
  char path[] = "/tmp/qxt-image-XXXXXX";
  int fd = ::mkstemp(path);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::write(fd, image.data(), image.size()), static_cast<ssize_t>(image.size()));
  ::close(fd);
  SimProcess sim({"--image", path, "--fault", "garbage"});
  SimLinkRig rig(sim);
  rig.seq.easyCloneRead();
  ASSERT_TRUE(rig.RunToIdle());
  EXPECT_TRUE(rig.messages.empty());
  ExpectImageEquals(rig.radio, image);
  ::unlink(path);
}

TEST(SimLink, PacedLineTakesItsWireTime) {
  SimProcess sim({"--baud", "9600"});
  SimLinkRig rig(sim);
  QElapsedTimer t;
  t.start();
  rig.seq.easySendE8ReqAnswer("033030");  // 13 bytes each way for the echo, 13 for the answer
  ASSERT_TRUE(rig.RunToIdle());
  EXPECT_TRUE(rig.messages.empty());
  // The line cannot carry 26 bytes at 960 bytes per second in less than 27 ms.
  EXPECT_GE(t.elapsed(), 25);
  EXPECT_EQ(rig.com.cln3D.varLastE8Answer().size(), 7u);
  rig.seq.easyCloneRead();  // a short stretch of the paced clone read
  ASSERT_TRUE(RunTicksUntil(rig.com, [&] { return rig.com.cln3D.lastEeAdr() >= 0x5F; }));
  EXPECT_EQ(rig.com.cln3D.lastError(), 0);
  EXPECT_EQ(rig.radio.eepImage().ReadByte(0x54), kDefaultImage[0x54]);
}

TEST(SimLink, EveryFaultGivesItsErrorCodes) {
  struct Case {
    const char* fault;
    int16_t driverError;
    int16_t sequencerError;
    const char* firstLine;
  } cases[] = {
      {"no-echo", 1, 4, "Cannot access COM port"},
      {"no-answer-inquiry", 2, 4, "No answer from transceiver."},
      {"slow", 2, 4, "No answer from transceiver."},
      {"short-e1", 3, 4, "Illegal data."},
      {"bad-checksum=100", 3, 0, "Illegal data."},
      {"bad-count", 4, 0, "Data counter error."},
      {"other-model", 0, 1, "Cannot Clone."},
      {"sub-0200", 0, 2, "Version number does not match"},
      {"pos43-05", 0, 3, "Connected transceiver is not compatible model."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault);
    SimProcess sim({"--fault", c.fault});
    SimLinkRig rig(sim);
    rig.seq.easyCloneRead();
    ASSERT_TRUE(rig.RunToIdle());
    EXPECT_EQ(rig.com.cln3D.lastError(), c.driverError);
    EXPECT_EQ(rig.seq.error(), c.sequencerError);
    EXPECT_EQ(rig.FirstLine(), c.firstLine);
    EXPECT_FALSE(rig.com.comOpen());
  }
}

TEST(SimLink, ReadoutFaults) {
  SimProcess sim({"--fault", "bad-ad"});
  SimLinkRig rig(sim);
  rig.seq.easySendE8ReqAnswer("033030");
  ASSERT_TRUE(rig.RunToIdle());
  EXPECT_EQ(rig.com.cln3D.varLastE8Answer(), HexStrToByteStr("29270100034730"));  // "G0"
  EXPECT_EQ(sim.Command("fault clear").substr(0, 2), "ok");
  EXPECT_EQ(sim.Command("fault no-answer-ad").substr(0, 2), "ok");
  rig.seq.easySendE8ReqAnswer("033030");
  ASSERT_TRUE(rig.RunToIdle());
  EXPECT_EQ(rig.com.cln3D.lastError(), 2);  // after the two retries
  EXPECT_EQ(rig.FirstLine(), "No answer from transceiver.");
}

TEST(SimLink, HangUpInTheCloneReadAndTheNextConnect) {
  SimProcess sim({"--fault", "hangup=50"});
  SimLinkRig rig(sim);
  rig.seq.easyCloneRead();
  ASSERT_TRUE(RunTicksUntil(rig.com, [&] { return !rig.messages.empty(); }));
  EXPECT_EQ(rig.FirstLine(), "Cannot access COM 1.");
  EXPECT_FALSE(rig.com.comOpen());
  std::string next = sim.WaitForPty();  // the simulator's new line
  ASSERT_FALSE(next.empty());
  EXPECT_EQ(sim.Command("fault clear").substr(0, 2), "ok");
  rig.com.portDevices.setOverride(1, next);
  rig.messages.clear();
  rig.seq.easyCloneRead();
  ASSERT_TRUE(rig.RunToIdle());
  EXPECT_TRUE(rig.messages.empty());
  ExpectImageEquals(rig.radio, kDefaultImage);
}

TEST(SimLink, LiveCommandsChangeTheRadio) {
  SimProcess sim;
  SimLinkRig rig(sim);
  rig.seq.easySendE8NoAnswer(ByteToHex2(0x13) + ByteToAsciiHexStr(92));
  ASSERT_TRUE(rig.RunToIdle());
  // The frame may still be on its way; ask until the radio reports it.
  bool applied = false;
  for (int i = 0; i < 200 && !applied; ++i) {
    applied = sim.Command("status").find("BPF T1 92") != std::string::npos;
    if (!applied) RunTicksFor(rig.com, 20);
  }
  EXPECT_TRUE(applied);
}

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
