#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <sys/wait.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <csignal>
#include <filesystem>

#include "common/Common.h"
#include "sim/SimImage.h"
#include "support/Pty.h"
#include "support/RunUntil.h"
#include "support/SimLinkRig.h"
#include "support/SimProcess.h"
#include "support/TempDir.h"

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

// Started with & from an interactive shell, the simulator runs on: it neither stops for its
// terminal nor takes what is typed there, until it is brought to the front.
TEST(SimLink, InTheBackgroundOfATerminalItRunsOn) {
  Pty terminal;
  TempDir dir;
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t shell = ::fork();
  if (shell == 0) {  // a session on the terminal, as a login shell has
    ::setsid();
    const int tty = ::open(terminal.path().c_str(), O_RDWR);
    ::ioctl(tty, TIOCSCTTY, 0);
    const pid_t sim = ::fork();
    if (sim == 0) {
      ::setpgid(0, 0);  // a job of its own, not the terminal's foreground
      ::dup2(tty, 0);
      const std::string link = dir.file("radio");
      ::execl(SimProcess::Binary(), "qzr700-sim", "--link", link.c_str(), nullptr);
      ::_exit(127);
    }
    ::setpgid(sim, sim);
    [[maybe_unused]] auto n = ::write(ready[1], &sim, sizeof sim);
    ::waitpid(sim, nullptr, 0);
    ::_exit(0);
  }
  pid_t sim = 0;
  ASSERT_EQ(::read(ready[0], &sim, sizeof sim), static_cast<ssize_t>(sizeof sim));
  ASSERT_TRUE(RunUntil([&] { return std::filesystem::is_symlink(dir.file("radio")); }, [] { ::usleep(20000); },
                       StepLimit(500)));
  ASSERT_EQ(::write(terminal.master(), "quit\n", 5), 5);  // typed at the shell's prompt
  auto state = [&] {
    const std::string stat = TempDir::Read("/proc/" + std::to_string(sim) + "/stat");
    return stat.empty() ? '?' : stat[stat.rfind(')') + 2];
  };
  for (int i = 0; i < 25; ++i) ::usleep(20000);  // time to read it, were it reading
  EXPECT_NE(state(), 'T');
  EXPECT_TRUE(std::filesystem::is_symlink(dir.file("radio")));  // still serving, "quit" not taken
  ::kill(sim, SIGTERM);
  ::kill(sim, SIGCONT);  // a stopped one would not end otherwise
  ::waitpid(shell, nullptr, 0);
  EXPECT_FALSE(std::filesystem::exists(dir.file("radio")));  // the link goes with it
  for (int signal : {SIGINT, SIGHUP}) {                      // and on the other endings it can catch
    SimProcess other({"--link", dir.file("radio")});
    ASSERT_TRUE(std::filesystem::is_symlink(dir.file("radio")));
    other.Signal(signal);
    other.Stop();
    EXPECT_FALSE(std::filesystem::is_symlink(dir.file("radio"))) << signal;
  }
}
