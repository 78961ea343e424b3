#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <sys/wait.h>

#include <csignal>
#include <filesystem>

#include "support/Pty.h"
#include "support/RunUntil.h"
#include "support/SimProcess.h"
#include "support/TempDir.h"

using namespace qxt;
using namespace qxt::test;

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
