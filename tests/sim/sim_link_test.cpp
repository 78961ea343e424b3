#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "common/Common.h"
#include "sim/SimImage.h"
#include "support/SimLinkRig.h"

using namespace qxt;
using namespace qxt::test;

namespace {

const Bytes kDefaultImage = sim::DefaultImage({});

void ExpectImageEquals(const memory::clsCmcRadio& radio, const Bytes& expected) {
  const Bytes& got = const_cast<memory::clsCmcRadio&>(radio).eepImage().bytes();
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
  EXPECT_EQ(rig.com.cln3D().lastEeAdr(), 0x7D6F);
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
  EXPECT_EQ(rig.com.cln3D().varLastE8Answer().size(), 7u);
  rig.seq.easyCloneRead();  // a short stretch of the paced clone read
  ASSERT_TRUE(RunTicksUntil(rig.com, [&] { return rig.com.cln3D().lastEeAdr() >= 0x5F; }));
  EXPECT_EQ(rig.com.cln3D().lastError(), link::DriverError::kNone);
  EXPECT_EQ(rig.radio.eepImage().ReadByte(0x54), kDefaultImage[0x54]);
}

TEST(SimLink, LiveCommandsChangeTheRadio) {
  SimProcess sim;
  SimLinkRig rig(sim);
  rig.seq.easySendE8NoAnswer(common::ByteToHex2(0x13) + common::ByteToAsciiHexStr(92));
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
