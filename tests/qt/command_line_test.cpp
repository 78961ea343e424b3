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
  const ProgramRun restore = Run({"--restore", Image("changed.bin", changed), "--port", dir.file("radio")});
  ASSERT_EQ(restore.exitStatus, 0) << restore.err;
  EXPECT_NE(restore.out.find("restored and verified"), std::string::npos) << restore.out;
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
