#include <gtest/gtest.h>
#include <unistd.h>

#include "support/LinkRig.h"
#include "support/TempDir.h"

using namespace qxt;
using namespace qxt::test;

using frames::Hex;

namespace {

// Records the order in which the tick reaches the main window.
struct OrderRig : LinkRig {
  void task() override {
    order += "main;";
    LinkRig::task();
  }
  std::string order;
};

}  // namespace

TEST(SerialLink, PortNumberRangeAndSettingsText) {
  LinkRig rig;
  rig.com.comPortNum(0);
  EXPECT_EQ(rig.com.comPortNum(), 1);
  rig.com.comPortNum(10);
  EXPECT_EQ(rig.com.comPortNum(), 10);
  rig.com.comPortNum(11);
  EXPECT_EQ(rig.com.comPortNum(), 10);
  rig.com.portDevices().setOverride(10, "/dev/fake10");
  rig.com.comOpen(true);
  EXPECT_EQ(rig.com.Settings(), "9600,N,8,1");
  EXPECT_EQ(rig.port.lastBaud, 9600);
  EXPECT_EQ(rig.port.lastInBufferSize, 32760);
  EXPECT_EQ(rig.port.opens.back(), "/dev/fake10");
  rig.com.Reset();
  EXPECT_FALSE(rig.com.comOpen());
  EXPECT_EQ(rig.com.comPortNum(), 1);
  rig.com.HighSpeedBRatioSet();
  EXPECT_EQ(rig.com.comBaud(), 38400);
  EXPECT_EQ(rig.com.rThreshold(), 1024);
}

TEST(SerialLink, PortThatCannotBeOpenedIsReportedOnTheNextTick) {
  LinkRig rig;
  rig.port.refuseOpen = true;
  rig.com.comPortNum(3);
  rig.com.comOpen(true);
  EXPECT_TRUE(rig.com.errCannotOpen());
  EXPECT_FALSE(rig.com.comOpen());
  EXPECT_TRUE(rig.com.totalError());
  rig.Tick();
  ASSERT_EQ(rig.messages.size(), 1u);
  EXPECT_EQ(rig.messages[0].substr(0, 20), "Cannot access COM 3.");
  EXPECT_FALSE(rig.com.comOpen());
  EXPECT_FALSE(rig.com.totalError());  // the reset after the message cleared it
}

TEST(SerialLink, ReopeningKeepsOutputInFlightAndResetsTheDriver) {
  LinkRig rig;
  rig.seq.easySendE8ReqAnswer("0330");
  EXPECT_TRUE(rig.com.cln3D().Running());
  int discards = rig.port.discards;
  size_t opens = rig.port.opens.size();
  rig.com.comOpen(true);
  EXPECT_EQ(rig.port.discards, discards);  // the frame still being sent is kept
  EXPECT_EQ(rig.port.opens.size(), opens);
  EXPECT_FALSE(rig.com.cln3D().Running());
  rig.com.comOpen(false);
  EXPECT_EQ(rig.port.discards, discards + 1);  // closing drops what was not sent
}

TEST(SerialLink, ReceiveRunsTheWholeTickInOrder) {
  OrderRig rig;
  rig.port.receive({});  // nothing waiting: nothing runs
  EXPECT_EQ(rig.order, "");
  rig.seq.easySendE8ReqAnswer("0330");
  rig.port.receive(rig.port.lastWritten());
  EXPECT_EQ(rig.order, "main;");
  EXPECT_EQ(rig.com.cln3D().rxPhase(), link::RxPhase::kAnswer);  // the driver had the bytes before the main task ran
  rig.com.errCannotOpen(true);
  EXPECT_TRUE(rig.com.totalError());
  rig.port.receive({0x00});
  EXPECT_EQ(rig.order, "main;main;");
  ASSERT_EQ(rig.messages.size(), 1u);  // then the error check
  EXPECT_EQ(rig.messages[0].substr(0, 20), "Cannot access COM 1.");
  EXPECT_FALSE(rig.com.totalError());
}

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

TEST(SerialLink, LostDeviceClosesThePortAndIsReportedOnce) {
  LinkRig rig;
  rig.seq.easyCloneRead();
  rig.port.loseDevice();
  EXPECT_FALSE(rig.com.comOpen());
  EXPECT_TRUE(rig.com.errCannotOpen());
  rig.Tick();
  rig.Tick();
  ASSERT_EQ(rig.messages.size(), 1u);
  EXPECT_EQ(rig.messages[0].substr(0, 20), "Cannot access COM 1.");
}

TEST(SerialLink, AllOverClosesAndSavesThroughTheMainWindow) {
  LinkRig rig;
  rig.com.comOpen(true);
  rig.com.AllOver();
  EXPECT_FALSE(rig.com.comOpen());
  EXPECT_EQ(rig.saves, 1);
  rig.com.timSolidEnabled(true);
  rig.com.Unload();
  EXPECT_FALSE(rig.com.timSolidEnabled());
}

TEST(SerialLink, AutomaticReleaseAfterIdleTime) {
  LinkRig rig;
  rig.seq.comHoldReload(3000);
  rig.seq.easySendE8NoAnswer("0230 31");
  rig.port.receive(rig.port.lastWritten());
  EXPECT_FALSE(rig.seq.OpRunning());
  EXPECT_TRUE(rig.com.comOpen());
  rig.Tick(2950);
  EXPECT_TRUE(rig.com.comOpen());
  rig.Tick(50);
  EXPECT_FALSE(rig.com.comOpen());
  EXPECT_EQ(rig.com.comPortNum(), 1);

  LinkRig never;
  never.seq.comHoldReload(0);
  never.seq.easySendE8NoAnswer("0230 31");
  never.port.receive(never.port.lastWritten());
  for (int i = 0; i < 100; ++i) never.Tick(1000);
  EXPECT_TRUE(never.com.comOpen());
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
  EXPECT_EQ(map.devicePath(2, prof), target);  // links resolved to the device itself
  EXPECT_FALSE(map.addOverride("COMx=/dev/a"));
  EXPECT_FALSE(map.addOverride("LPT1=/dev/a"));
  EXPECT_FALSE(map.addOverride("COM1="));
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

  trace.setFile("/proc/no-such/trace.log");
  trace.rx({1});
  trace.setFile("");
  trace.setFile("/proc/no-such/trace.log");  // the same file again: said once
  ASSERT_EQ(trouble.size(), 1u);
  EXPECT_EQ(trouble[0].rfind("The protocol trace /proc/no-such/trace.log cannot be opened", 0), 0u) << trouble[0];
}
