// The modes without a window, run as a technician runs them from a shell: no display, the real
// program against the simulated radio on a pseudo-terminal.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <filesystem>

#include "sim/SimImage.h"
#include "support/RunProgram.h"
#include "support/SimProcess.h"
#include "support/TempDir.h"

using namespace qxt;
using namespace qxt::test;

namespace {

class CommandLine : public ::testing::Test {
 protected:
  ProgramRun Run(std::vector<std::string> args) {
    return RunProgram(QXT_APP_PATH, std::move(args),
                      {{"DISPLAY", ""},
                       {"WAYLAND_DISPLAY", ""},
                       {"QT_QPA_PLATFORM", ""},
                       {"XDG_DATA_HOME", dir.file("data")},
                       {"XDG_CONFIG_HOME", dir.file("config")}});
  }
  std::string Image(const std::string& name, const Bytes& image) {
    TempDir::Write(dir.file(name), std::string(image.begin(), image.end()));
    return dir.file(name);
  }

  TempDir dir;
};

}  // namespace

TEST_F(CommandLine, HelpAndVersionNeedNoDisplay) {
  const ProgramRun help = Run({"--help"});
  EXPECT_EQ(help.exitStatus, 0);
  for (const char* option : {"--read", "--restore", "--list", "--diff", "--history", "--session", "--csv", "--report",
                             "--port", "--port-device", "--connect", "--timing", "--screenshot", "--version"}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  }
  EXPECT_EQ(Run({"--version"}).out, "qxt7130-adj 1.0 (QX-T7130 ADJ Rev.1.0)\n");
  const ProgramRun wrong = Run({"--list"});
  EXPECT_EQ(wrong.exitStatus, 2);
  EXPECT_NE(wrong.err.find("missing value after --list"), std::string::npos);
}

TEST_F(CommandLine, ListAndDiffOfImageFiles) {
  Bytes image = sim::DefaultImage({});
  const std::string a = Image("a.bin", image);
  image[0xA6] = 153;
  const std::string b = Image("b.bin", image);
  const ProgramRun list = Run({"--list", a});
  EXPECT_EQ(list.exitStatus, 0);
  EXPECT_EQ(std::count(list.out.begin(), list.out.end(), '\n'), 67);
  EXPECT_NE(list.out.find("                POW L1 Level:   82\n"), std::string::npos);
  EXPECT_EQ(Run({"--diff", a, a}).exitStatus, 0);
  const ProgramRun diff = Run({"--diff", a, b});
  EXPECT_EQ(diff.exitStatus, 1);
  EXPECT_EQ(diff.out, "                POW L1 Level: 82 -> 153\n");
  const ProgramRun shortFile = Run({"--list", Image("short.bin", Bytes(100, 0))});
  EXPECT_EQ(shortFile.exitStatus, 2);
  EXPECT_NE(shortFile.err.find("not an image of this radio"), std::string::npos);
}

TEST_F(CommandLine, ReadAndRestoreThroughTheRadioLink) {
  SimProcess sim({"--link", dir.file("radio")});
  const ProgramRun read = Run({"--read", dir.file("read.bin"), "--port", dir.file("radio")});
  ASSERT_EQ(read.exitStatus, 0) << read.err;
  const std::string asRead = TempDir::Read(dir.file("read.bin"));
  EXPECT_EQ(asRead.size(), 32112u);
  const ProgramRun again = Run({"--read", dir.file("read.bin"), "--port", dir.file("radio")});
  EXPECT_EQ(again.exitStatus, 1);  // the file the technician already has is never replaced
  EXPECT_NE(again.err.find("exists already"), std::string::npos);
  EXPECT_EQ(TempDir::Read(dir.file("read.bin")), asRead);

  Bytes changed(asRead.begin(), asRead.end());
  changed[0xA6] = 153;
  const ProgramRun restore = Run({"--restore", Image("changed.bin", changed), "--port", dir.file("radio"), "--yes"});
  ASSERT_EQ(restore.exitStatus, 0) << restore.err;
  EXPECT_NE(restore.out.find("restored and verified"), std::string::npos) << restore.out;
  EXPECT_NE(restore.out.find("* POW L1 Level: radio 82, file 153"), std::string::npos) << restore.out;
  ASSERT_EQ(Run({"--read", dir.file("after.bin"), "--port", dir.file("radio")}).exitStatus, 0);
  EXPECT_EQ(TempDir::Read(dir.file("after.bin")), std::string(changed.begin(), changed.end()));

  // Every run above is a session of the service record, and each can be reported.
  const ProgramRun history = Run({"--history"});
  ASSERT_EQ(history.exitStatus, 0) << history.err;
  EXPECT_EQ(std::count(history.out.begin(), history.out.end(), '\n'), 1 + 4) << history.out;
  EXPECT_EQ(history.out.find("Session  Started"), 0u) << history.out;
  const ProgramRun csv = Run({"--history", "--csv"});
  EXPECT_EQ(csv.out.substr(0, csv.out.find('\n')),
            "Session,Started,Model,Sub,Identity,Device,Changes,Procedures,"
            "Technician,Outcome\r");
  const ProgramRun events = Run({"--session", "3"});  // the restore of changed.bin
  ASSERT_EQ(events.exitStatus, 0) << events.err;
  EXPECT_NE(events.out.find("restore from " + dir.file("changed.bin") + " (started)"), std::string::npos) << events.out;
  EXPECT_NE(events.out.find("restore from " + dir.file("changed.bin") + " (verified)"), std::string::npos)
      << events.out;
  ASSERT_EQ(Run({"--report", "3", dir.file("report.pdf")}).exitStatus, 0);
  EXPECT_EQ(TempDir::Read(dir.file("report.pdf")).substr(0, 5), "%PDF-");
  EXPECT_EQ(Run({"--report", "3", dir.file("report.pdf")}).exitStatus, 1);  // never over a file
  ASSERT_EQ(Run({"--report", "3", dir.file("report.html")}).exitStatus, 0);
  EXPECT_NE(TempDir::Read(dir.file("report.html")).find("<td>*</td><td>POW L1 Level:</td><td>82</td><td>153</td>"),
            std::string::npos);
  EXPECT_EQ(Run({"--session", "99"}).exitStatus, 1);
  EXPECT_EQ(Run({"--session", "x"}).exitStatus, 2);
}

TEST_F(CommandLine, TheWindowClosesInOrderOnTerminateAndInterrupt) {
  // A copy of the program, as installed: its options go to the user's configuration folder.
  const std::string program = dir.file("qxt7130-adj"), options = dir.file("config/qxt7130-adj/PJ5102K.rs");
  TempDir::Write(program, TempDir::Read(QXT_APP_PATH));
  ASSERT_EQ(::chmod(program.c_str(), 0755), 0);
  for (int signal : {SIGTERM, SIGINT}) {
    SimProcess sim({"--link", dir.file("radio"), "--log", dir.file("sim.log")});
    ::unlink(options.c_str());
    auto talking = [&] { return TempDir::Read(dir.file("sim.log")).size() > 100; };
    const ProgramRun run = RunProgram(program, {"--port-device", "COM1=" + dir.file("radio"), "--connect"},
                                      {{"QT_QPA_PLATFORM", "offscreen"},
                                       {"XDG_DATA_HOME", dir.file("data")},
                                       {"XDG_CONFIG_HOME", dir.file("config")}},
                                      {talking, signal});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_NE(TempDir::Read(options).find("ComPort=1"), std::string::npos) << signal;
    EXPECT_FALSE(std::filesystem::exists(dir.file("PJ5102K.rs")));  // never beside the program
  }
}

TEST_F(CommandLine, ALinkThatFailsSaysWhy) {
  SimProcess sim({"--link", dir.file("radio"), "--fault", "no-echo"});
  const ProgramRun read = Run({"--read", dir.file("x.bin"), "--port", dir.file("radio")});
  EXPECT_EQ(read.exitStatus, 1);
  EXPECT_NE(read.err.find("Cannot access COM port"), std::string::npos) << read.err;
  const ProgramRun none = Run({"--read", dir.file("x.bin"), "--port", dir.file("no-such-radio")});
  EXPECT_EQ(none.exitStatus, 1);
  EXPECT_NE(none.err.find("Cannot access COM 1."), std::string::npos) << none.err;
  EXPECT_EQ(Run({"--read", dir.file("x.bin"), "--port", "COM11"}).exitStatus, 2);
}

// The edges of a transfer, run as a shell runs them: a signal during --restore stops it after the
// block under way (a second would end it at once), exit 1, the radio holding whole blocks of the
// file and its old memory after them; a killed restore stays on record as started; the next read
// of that radio warns. A read stopped writes no file. A restore without a terminal needs --yes,
// and a file that is not a regular file is refused before the port is touched.
TEST_F(CommandLine, TransfersEndInOrderAndTheNextReadWarns) {
  const Bytes old = sim::DefaultImage({});
  Bytes file = old;
  for (size_t a = 0; a < file.size(); ++a) file[a] = static_cast<uint8_t>(a * 7 + 1);
  const std::string image = Image("other.bin", file);
  struct Row {
    const char* name;
    int signal;
    std::string says;  // on standard output, or (SIGKILL) by the next read
  };
  const Row rows[] = {{"terminate", SIGTERM, "The restore was cancelled after "},
                      {"interrupt", SIGINT, "The restore was cancelled after "},
                      {"hang-up", SIGHUP, "The restore was cancelled after "},
                      {"kill", SIGKILL, "never came to its end"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string saved = dir.file(std::string(row.name) + ".radio");
    int32_t written = -1;
    {
      SimProcess sim({"--link", dir.file("radio"), "--baud", "230400", "--save-image", saved});
      ChildProcess child(
          QXT_APP_PATH, {"--restore", image, "--port", dir.file("radio"), "--yes"},
          {{"DISPLAY", ""}, {"XDG_DATA_HOME", dir.file("data")}, {"XDG_CONFIG_HOME", dir.file("config")}});
      child.CloseInput();
      bool sent = false;
      for (int quiet = 0; quiet < 120000 && child.Pump(100); quiet += 100) {
        if (!sent && child.err.find("writing: 10 %") != std::string::npos) sent = ::kill(child.pid(), row.signal) == 0;
      }
      ASSERT_TRUE(sent) << child.err;
      const int status = child.Wait();
      if (row.signal != SIGKILL) {
        EXPECT_EQ(status, 1) << child.err;
        const size_t at = child.out.find(row.says);
        ASSERT_NE(at, std::string::npos) << child.out;
        written = std::atoi(child.out.c_str() + at + row.says.size());
        EXPECT_NE(child.out.find("the radio's memory is partly written"), std::string::npos);
      }
    }
    const std::string radio = TempDir::Read(saved);
    ASSERT_EQ(radio.size(), old.size());
    if (written >= 0) {
      EXPECT_GT(written, 0);
      EXPECT_EQ(written % 16, 0);  // whole blocks
      EXPECT_EQ(radio.substr(0, static_cast<size_t>(written)), std::string(file.begin(), file.begin() + written));
      EXPECT_EQ(radio.substr(static_cast<size_t>(written)), std::string(old.begin() + written, old.end()));
    }
    if (row.signal == SIGINT || row.signal == SIGHUP) continue;  // the warning is the same as for SIGTERM
    SimProcess sim({"--link", dir.file("radio"), "--baud", "230400", "--image", saved});
    const ProgramRun read = Run({"--read", dir.file(std::string(row.name) + ".bin"), "--port", dir.file("radio")});
    EXPECT_EQ(read.exitStatus, 0) << read.err;
    EXPECT_NE(read.err.find("warning: The last restore of this radio ("), std::string::npos) << read.err;
    const std::string expected =
        row.signal == SIGKILL ? row.says : "stopped, partly written, " + std::to_string(written);
    EXPECT_NE(read.err.find(expected), std::string::npos) << read.err;
  }

  SimProcess sim({"--link", dir.file("radio"), "--baud", "230400", "--log", dir.file("sim.log")});
  const ProgramRun stopped =
      RunProgram(QXT_APP_PATH, {"--read", dir.file("stopped.bin"), "--port", dir.file("radio")},
                 {{"DISPLAY", ""}, {"XDG_DATA_HOME", dir.file("data")}, {"XDG_CONFIG_HOME", dir.file("config")}},
                 {[&] { return TempDir::Read(dir.file("sim.log")).size() > 2000; }, SIGTERM});
  EXPECT_EQ(stopped.exitStatus, 1);
  EXPECT_NE(stopped.err.find("stopped by a signal; no file was written"), std::string::npos) << stopped.err;
  EXPECT_FALSE(std::filesystem::exists(dir.file("stopped.bin")));

  const size_t logged = TempDir::Read(dir.file("sim.log")).size();
  const ProgramRun unasked = Run({"--restore", image, "--port", dir.file("radio")});
  EXPECT_EQ(unasked.exitStatus, 2);
  EXPECT_NE(unasked.err.find("give --yes"), std::string::npos) << unasked.err;
  ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
  const ProgramRun fifo = Run({"--restore", dir.file("fifo"), "--port", dir.file("radio"), "--yes"});
  EXPECT_EQ(fifo.exitStatus, 1);
  EXPECT_NE(fifo.err.find("not a regular file (a pipe)"), std::string::npos) << fifo.err;
  EXPECT_NE(Run({"--list", dir.file("fifo")}).err.find("not a regular file (a pipe)"), std::string::npos);
  EXPECT_EQ(TempDir::Read(dir.file("sim.log")).size(), logged);  // the radio never heard of them
}
