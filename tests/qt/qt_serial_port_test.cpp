// The port adapter takes what arrives as it comes: a stream many times the receive buffer is no
// overflow while the program takes it, and is one when nobody does.
#include <fcntl.h>
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "app/QtSerialPort.h"
#include "support/EventLoop.h"
#include "support/Pty.h"

using namespace qxt;
using namespace qxt::test;

namespace {

struct Taker : link::SerialPortListener {
  void onReceived() override { taken += taking ? port->takeInput().size() : 0; }
  void onOverflow() override { ++overflows; }
  void onLineError() override {}
  void onDeviceLost() override {}
  app::QtSerialPort* port = nullptr;
  bool taking = false;
  size_t taken = 0;
  int overflows = 0;
};

}  // namespace

TEST(QtSerialPort, OnlyWhatTheProgramLeavesUnreadIsAnOverflow) {
  Pty pty;
  app::QtSerialPort port;
  Taker events;
  events.port = &port;
  port.setListener(&events);
  ASSERT_TRUE(port.open(pty.path(), 9600, 1000));
  Bytes flood(1500, 0x55);
  ASSERT_EQ(::write(pty.master(), flood.data(), flood.size()), 1500);
  ASSERT_TRUE(RunEventsUntil([&] { return events.overflows > 0; }, 10000));  // nobody takes it

  events.taking = true;
  ASSERT_TRUE(port.open(pty.path(), 9600, 1000));
  EXPECT_EQ(port.bytesAvailable(), 0);  // what an earlier session left is gone
  Bytes stream(10000, 0xAA);
  ::fcntl(pty.master(), F_SETFL, ::fcntl(pty.master(), F_GETFL) | O_NONBLOCK);
  for (size_t at = 0; at < stream.size();) {
    const ssize_t n = ::write(pty.master(), stream.data() + at, stream.size() - at);
    if (n > 0) at += static_cast<size_t>(n);
    QCoreApplication::processEvents();
  }
  ASSERT_TRUE(
      RunEventsUntil([&] { return events.taken + static_cast<size_t>(port.bytesAvailable()) >= 10000; }, 10000));
  EXPECT_EQ(events.overflows, 1);  // none more
}

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
