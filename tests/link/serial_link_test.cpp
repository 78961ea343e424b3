#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/LinkRig.h"
#include "support/TempDir.h"

using namespace qxt;
using namespace qxt::test;

using frames::Hex;

TEST(SerialLink, OverflowAndLineErrors) {
  LinkRig rig;
  rig.seq.easySendE8ReqAnswer("0330");
  rig.port.receive(rig.port.lastWritten());
  rig.port.receive(Hex("FEFEEFEEE8292701"));  // half an answer
  rig.com.OnComm(link::CommEvent::kFrame);    // a framing error drops it
  rig.port.receive(Hex("0003 3030FD"));
  EXPECT_TRUE(rig.com.cln3D().Running());
  rig.com.OnComm(link::CommEvent::kRxOver);
  EXPECT_TRUE(rig.com.errOverflow());
  EXPECT_FALSE(rig.com.comOpen());
  rig.Tick();
  ASSERT_EQ(rig.messages.size(), 1u);
  EXPECT_EQ(rig.messages[0].substr(0, 20), "COM buffer overflow.");
}

TEST(SerialLink, PortDevicesFromOverrideOptionsOrDefault) {
  TempDir dir;
  MapOptions prof;
  link::PortDeviceMap map;
  EXPECT_EQ(map.devicePath(1, prof), "/dev/ttyUSB0");
  EXPECT_EQ(map.devicePath(4, prof), "/dev/ttyUSB3");
  prof.WriteKey("PORTS", "COM2", "/dev/serial/by-id/usb-cable");
  EXPECT_EQ(map.devicePath(2, prof), "/dev/serial/by-id/usb-cable");
  std::string target = dir.file("pty");
  TempDir::Write(target, "");
  ASSERT_EQ(::symlink(target.c_str(), dir.file("link").c_str()), 0);
  EXPECT_TRUE(map.addOverride("com2=" + dir.file("link")));
  EXPECT_EQ(map.devicePath(2, prof), target);       // links resolved to the device itself
  prof.WriteKey("PORTS", "COM10", "/dev/ttyACM0");  // a device chosen again keeps its number
  prof.WriteKey("PORTS", "COM1", "/dev/ttyACM2");
  EXPECT_EQ(map.numberFor("/dev/ttyACM0", prof), 10);
  EXPECT_EQ(map.numberFor("/dev/ttyACM2", prof), 1);
  EXPECT_EQ(map.numberFor("/dev/ttyACM1", prof), 5);
  for (const char* bad : {"COMx=/dev/a", "LPT1=/dev/a", "COM1=", "COM0=/dev/a", "COM11=/dev/a"})
    EXPECT_FALSE(map.addOverride(bad)) << bad;
}

TEST(SerialLink, TraceRecordsEveryChunk) {
  TempDir dir;
  LinkRig rig;
  rig.options.WriteKey("TRACE", "File", dir.file("trace.log"));
  rig.clock.now = 1000;
  rig.seq.easySendE8NoAnswer("0230 31");
  rig.port.receive(rig.port.lastWritten());
  std::string trace = TempDir::Read(dir.file("trace.log"));
  EXPECT_NE(trace.find(" TX FEFEEEEFE829270100023031FD"), std::string::npos) << trace;
  EXPECT_NE(trace.find(" RX FEFEEEEFE829270100023031FD"), std::string::npos) << trace;
}

TEST(SerialLink, TheTraceIsBoundedAndSaysWhatItCannotDo) {
  TempDir dir;
  FakeTickSource clock;
  std::vector<std::string> trouble;
  link::ProtocolTrace trace(clock, 1000);
  trace.onTrouble([&](const std::string& why) { trouble.push_back(why); });
  trace.setFile(dir.file("trace.log"));
  for (int i = 0; i < 100; ++i) trace.rx(Bytes(20, static_cast<uint8_t>(i)));  // 6 kB of lines
  const std::string now = TempDir::Read(dir.file("trace.log")), before = TempDir::Read(dir.file("trace.log.1"));
  EXPECT_LE(now.size(), 1000u);
  EXPECT_LE(before.size(), 1000u);
  EXPECT_EQ(now.find(" -- continued from " + dir.file("trace.log.1") + "; the lines before that file were dropped"),
            1u);
  std::string last;
  for (int i = 0; i < 20; ++i) last += "63";
  EXPECT_NE(now.find(" RX " + last + "\n"), std::string::npos);  // the last chunk, 0x63 twenty times
  EXPECT_TRUE(trouble.empty());
  // A trace holds radios' memories: for the user only, whatever the umask, also after a rotation.
  for (const char* name : {"trace.log", "trace.log.1"}) EXPECT_EQ(TempDir::Mode(dir.file(name)), 0600) << name;

  trace.setFile("/proc/no-such/trace.log");
  trace.rx({1});
  trace.setFile("");
  trace.setFile("/proc/no-such/trace.log");  // the same file again: said once
  ASSERT_EQ(trouble.size(), 1u);
  EXPECT_EQ(trouble[0].rfind("The protocol trace /proc/no-such/trace.log cannot be opened", 0), 0u) << trouble[0];
}

TEST(SerialLink, PortNumbersStayWithinCom1ToCom10) {
  LinkRig rig;
  for (int16_t n : {10, 11, 0, -1}) rig.com.setComPortNum(n);
  EXPECT_EQ(rig.com.comPortNum(), 10);
}
