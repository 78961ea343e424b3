#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>

#include <QCoreApplication>
#include <functional>

#include "app/QtSerialPort.h"
#include "support/EventLoop.h"
#include "support/Pty.h"
#include "support/TempDir.h"

using namespace qxt;
using namespace qxt::test;

namespace {

struct Recorder : link::SerialPortListener {
  void onReceived() override { ++received; }
  void onOverflow() override { ++overflows; }
  void onLineError() override { ++lineErrors; }
  void onDeviceLost() override { ++lost; }
  int received = 0, overflows = 0, lineErrors = 0, lost = 0;
};

// Runs the event loop until the condition holds; gives up after 10 s so a fault cannot hang.
bool Await(const std::function<bool()>& done) { return RunEventsUntil(done, 10000); }

// What the program wrote, read at the far end of the pseudo-terminal.
Bytes ReadMaster(int fd, size_t want) {
  Bytes out;
  RunUntil([&] { return out.size() >= want; },
           [&] {
             QCoreApplication::processEvents();
             pollfd p{fd, POLLIN, 0};
             if (::poll(&p, 1, 20) <= 0) return;
             uint8_t buf[4096];
             const ssize_t n = ::read(fd, buf, sizeof buf);
             if (n > 0) out.insert(out.end(), buf, buf + n);
           },
           TimeLimit(10000));
  return out;
}

class QtSerialPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(pty.path().empty());
    port.setListener(&events);
  }
  Pty pty;
  app::QtSerialPort port;
  Recorder events;
};

}  // namespace

TEST_F(QtSerialPortTest, OpensWritesAndReceives) {
  ASSERT_TRUE(port.open(pty.path(), 9600, 32760)) << port.errorText();  // DTR/RTS refusal is harmless
  EXPECT_TRUE(port.isOpen());
  port.write({0xFE, 0xFE, 0xEE, 0xEF, 0xE0, 0xFD});
  EXPECT_EQ(ReadMaster(pty.master(), 6), (Bytes{0xFE, 0xFE, 0xEE, 0xEF, 0xE0, 0xFD}));
  const uint8_t answer[] = {0xFE, 0xFE, 0xEF, 0xEE, 0x03, 0xFD};
  ASSERT_EQ(::write(pty.master(), answer, sizeof answer), 6);
  ASSERT_TRUE(Await([&] { return port.bytesAvailable() == 6; }));
  EXPECT_GE(events.received, 1);
  EXPECT_EQ(port.takeInput(), Bytes(answer, answer + 6));
  EXPECT_EQ(port.bytesAvailable(), 0);
  port.close();
  EXPECT_FALSE(port.isOpen());
}

TEST_F(QtSerialPortTest, OnlyWhatTheProgramLeavesUnreadIsAnOverflow) {
  ASSERT_TRUE(port.open(pty.path(), 9600, 1000));
  Bytes flood(1500, 0x55);
  ASSERT_EQ(::write(pty.master(), flood.data(), flood.size()), 1500);
  ASSERT_TRUE(Await([&] { return events.overflows > 0; }));  // nobody takes it

  // A stream ten times the buffer, taken as it is announced, is no overflow.
  struct Taker : Recorder {
    void onReceived() override { taken += port->takeInput().size(); }
    app::QtSerialPort* port = nullptr;
    size_t taken = 0;
  } taker;
  taker.port = &port;
  port.setListener(&taker);
  ASSERT_TRUE(port.open(pty.path(), 9600, 1000));
  EXPECT_EQ(port.bytesAvailable(), 0);  // what an earlier session left is gone
  Bytes stream(10000, 0xAA);
  ::fcntl(pty.master(), F_SETFL, ::fcntl(pty.master(), F_GETFL) | O_NONBLOCK);
  for (size_t at = 0; at < stream.size();) {
    const ssize_t n = ::write(pty.master(), stream.data() + at, stream.size() - at);
    if (n > 0) at += static_cast<size_t>(n);
    QCoreApplication::processEvents();
  }
  ASSERT_TRUE(Await([&] { return taker.taken + static_cast<size_t>(port.bytesAvailable()) >= 10000; }));
  EXPECT_EQ(taker.overflows, 0);
}

TEST_F(QtSerialPortTest, VanishedDeviceIsReportedOnceAndClosed) {
  ASSERT_TRUE(port.open(pty.path(), 9600, 32760));
  pty.hangUp();
  ASSERT_TRUE(Await([&] { return events.lost > 0; }));
  EXPECT_FALSE(port.isOpen());
  for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
  EXPECT_EQ(events.lost, 1);
}

TEST_F(QtSerialPortTest, PortsThatCannotBeOpened) {
  EXPECT_FALSE(port.open("/dev/no-such-tty-qxt", 9600, 32760));
  EXPECT_EQ(port.errorText(), "no such device");
  EXPECT_FALSE(port.isOpen());
  ASSERT_TRUE(port.open(pty.path(), 9600, 32760));
  app::QtSerialPort second;
  EXPECT_FALSE(second.open(pty.path(), 9600, 32760));
  EXPECT_EQ(second.errorText(), "in use by another program");
  TempDir dir;  // a link to what is no serial device, as a stale link may be
  TempDir::Write(dir.file("file"), "");
  ASSERT_EQ(::symlink(dir.file("file").c_str(), dir.file("link").c_str()), 0);
  for (const std::string& path : {dir.file("link"), dir.path()}) {
    EXPECT_FALSE(second.open(path, 9600, 32760)) << path;
    EXPECT_EQ(second.errorText(), "not a serial device");
  }
}

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
