// The modes without a window, run as a technician runs them from a shell: no display, the real
// program against the simulated radio on a pseudo-terminal.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <map>
#include <utility>

#include <SQLiteCpp/Database.h>

#include "record/RecordSchema.h"
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
  EXPECT_NE(help.out.find("--record-server"), std::string::npos) << help.out;
  EXPECT_EQ(Run({"--version"}).out, "qxt7130-adj 1.0 (QX-T7130 ADJ Rev.1.0)\n");
}

// 0 done, 1 the radio or a file said no, 2 a wrong command line, whatever the mode.
TEST_F(CommandLine, ExitStatusOfEveryMode) {
  const std::string image = Image("a.bin", sim::DefaultImage({})), junk = Image("junk.bin", Bytes(100, 0));
  const std::string out = dir.file("out.bin");
  struct Case {
    std::vector<std::string> args;
    int status;
    const char* says;
  };
  const Case cases[] = {
      {{"--list"}, 2, "Missing value after '--list'"},
      {{"--list=" + image}, 0, ""},
      {{"-style", "fusion", "--list", image, "-session", "ab12", "-reverse"}, 0, ""},  // Qt's own, unused here
      {{"--list", image, "-x"}, 2, "Unknown option 'x'"},
      {{"--list", junk}, 1, "not an image of this radio"},
      {{"--list", dir.file("none.bin")}, 1, "cannot be read"},
      {{"--diff", junk, image}, 1, "not an image of this radio"},
      {{"--diff=" + image, image}, 0, ""},
      {{"--diff", image}, 2, "--diff wants two files"},
      {{"--list", image, image}, 2, "unexpected argument"},
      {{"--read", out, "--port", ""}, 2, "--port wants COM1 to COM10 or a device path, not \"\""},
      {{"--read", out, "--port=COM99999999999"}, 2, "not \"COM99999999999\""},
      {{"--read", out, "--port", "COM0"}, 2, "not \"COM0\""},
      {{"--read", out, "--port-device", "COM11=/dev/null"}, 2, "--port-device wants COMn=PATH"},
      {{"--read", out, "--port", "COM11"}, 2, "not \"COM11\""},
      {{"--list", image, "--port-device", "COM1=/dev/null"}, 2, "--port-device goes with the window"},
      {{"--list", image, "--port", "COM1"}, 2, "--port goes with --read, --restore and --align"},
      {{"--list", image, "--connect"}, 2, "--connect goes with the window only"},
      {{"--history", "--timing"}, 2, "--timing goes with the window only"},
      {{"--restore", image, "--screenshot", out}, 2, "--screenshot goes with the window only"},
      {{"--list", image, "--csv"}, 2, "--csv goes with --history, --session and --radio"},
      {{"--radio", "0A1G"}, 2, "--radio wants the radio's identification data in hex"},
      {{"--radio", "0a1b"}, 1, "has no session of the radio 0A1B"},
      {{"--list", image, "--record-server", "service=shop"}, 2, "--record-server goes with the modes that use"},
      {{"--read", out, "--yes"}, 2, "--yes goes with --restore"},
      {{"--read", out, "--list", image}, 2, "only one mode at a time"},
      {{"--session", "x"}, 2, "wants a session number"},
      {{"--report", "1"}, 2, "--report wants N and FILE"},
      {{"--nonsense", "-style", "fusion"}, 2, "Unknown option 'nonsense'"},
      {{"--connect", "-style", "fusion"}, 2, "the window needs a display"},
      {{}, 2, "the window needs a display"},
  };
  for (const Case& c : cases) {
    const ProgramRun run = Run(c.args);
    const std::string line = c.args.empty() ? "(none)" : c.args[0] + " ...";
    EXPECT_EQ(run.exitStatus, c.status) << line << "\n" << run.err;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << line << "\n" << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(out));
}

// Without a display the window says so in one line, naming what needs none, instead of Qt's abort.
TEST_F(CommandLine, NoDisplayIsOneLineAndStatusTwo) {
  for (const auto& [display, reason] : std::vector<std::pair<std::string, std::string>>{
           {"", "neither DISPLAY nor WAYLAND_DISPLAY is set"}, {":97", "could not connect to display :97"}}) {
    const ProgramRun run = RunProgram(
        QXT_APP_PATH, {},
        {{"DISPLAY", display}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}, {"XDG_CONFIG_HOME", dir.file("c")}});
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.err, "qxt7130-adj: the window needs a display and none can be used (" + reason +
                           "); --read, --restore, --list, --diff and --history need none\n");
  }
}

// Qt takes its own options (a session manager restarts programs with -session) before the
// program's are parsed; the program's own are checked in the window too.
TEST_F(CommandLine, TheWindowAcceptsQtsOptionsAndChecksItsOwn) {
  const std::map<std::string, std::string> env{{"QT_QPA_PLATFORM", ""},
                                               {"XDG_DATA_HOME", dir.file("data")},
                                               {"XDG_CONFIG_HOME", dir.file("config")},
                                               {"XDG_RUNTIME_DIR", dir.path()}};
  ChildProcess window(QXT_APP_PATH, {"-platform", "offscreen", "-style", "fusion", "-session", "1234abcd", "--timing"},
                      env);
  for (int i = 0; i < 600 && window.err.find("window shown") == std::string::npos && window.Pump(100); ++i) {
  }
  EXPECT_NE(window.err.find("window shown"), std::string::npos) << window.err;
  ::kill(window.pid(), SIGTERM);
  EXPECT_EQ(window.Wait(), 0);
  const ProgramRun wrong = RunProgram(QXT_APP_PATH, {"-platform", "offscreen", "--port-device", "COM0=/dev/null"}, env);
  EXPECT_EQ(wrong.exitStatus, 2);
  EXPECT_NE(wrong.err.find("--port-device wants COMn=PATH"), std::string::npos) << wrong.err;
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
  const ProgramRun diff = Run({"--diff", a, b});
  EXPECT_EQ(diff.exitStatus, 1);
  EXPECT_EQ(diff.out, "                POW L1 Level: 82 -> 153\n");
}

TEST_F(CommandLine, ReadAndRestoreThroughTheRadioLink) {
  SimProcess sim({"--link", dir.file("radio")});
  const ProgramRun read = Run({"--read", dir.file("read.bin"), "--port", dir.file("radio")});
  ASSERT_EQ(read.exitStatus, 0) << read.err;
  const std::string asRead = TempDir::Read(dir.file("read.bin"));
  EXPECT_EQ(asRead.size(), 32112u);
  // Every read is kept in the backup folder too.
  const std::string images = dir.file("data/qxt7130-adj/images");
  ASSERT_EQ(std::distance(std::filesystem::directory_iterator(images), {}), 1);
  EXPECT_EQ(TempDir::Read(std::filesystem::directory_iterator(images)->path().string()), asRead);
  EXPECT_NE(read.err.find("backup of the radio: " + images + "/2927-0100-"), std::string::npos) << read.err;
  // A file that cannot be made is refused before the port is opened (a missing port would say
  // "Cannot access COM 1." otherwise), so no 100-second read is lost.
  for (const std::string& taken : {dir.file("read.bin"), dir.file("no-such-folder/x.bin")}) {
    const ProgramRun again = Run({"--read", taken, "--port", dir.file("no-such-radio")});
    EXPECT_EQ(again.exitStatus, 1);
    EXPECT_NE(again.err.find(taken + (taken == dir.file("read.bin") ? ": exists already" : ": cannot be written")),
              std::string::npos)
        << again.err;
  }
  EXPECT_EQ(TempDir::Read(dir.file("read.bin")), asRead);  // the file the technician has is never replaced

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
  EXPECT_EQ(std::count(history.out.begin(), history.out.end(), '\n'), 1 + 3) << history.out;
  EXPECT_EQ(history.out.find("Session  Started"), 0u) << history.out;
  const ProgramRun csv = Run({"--history", "--csv"});
  EXPECT_EQ(csv.out.substr(0, csv.out.find('\n')),
            "Session,Started,Bench,Model,Sub,Identity,Device,Changes,Procedures,"
            "Technician,Outcome\r");
  const ProgramRun events = Run({"--session", "2"});  // the restore of changed.bin
  ASSERT_EQ(events.exitStatus, 0) << events.err;
  EXPECT_NE(events.out.find("restore from " + dir.file("changed.bin") + " (started)"), std::string::npos) << events.out;
  EXPECT_NE(events.out.find("restore from " + dir.file("changed.bin") + " (verified)"), std::string::npos)
      << events.out;
  EXPECT_NE(events.out.find(" (simulator)\n"), std::string::npos) << events.out;  // a pseudo-terminal's session
  EXPECT_NE(events.out.find(", 2927/0100, options 00, last address 7D6F, "), std::string::npos) << events.out;
  ASSERT_EQ(Run({"--report", "2", dir.file("report.pdf")}).exitStatus, 0);
  EXPECT_EQ(TempDir::Read(dir.file("report.pdf")).substr(0, 5), "%PDF-");
  EXPECT_EQ(Run({"--report", "2", dir.file("report.pdf")}).exitStatus, 1);  // never over a file
  ASSERT_EQ(Run({"--report=2", dir.file("report.html")}).exitStatus, 0);
  EXPECT_NE(TempDir::Read(dir.file("report.html")).find("<td>*</td><td>POW L1 Level:</td><td>82</td><td>153</td>"),
            std::string::npos);
  EXPECT_EQ(Run({"--session", "99"}).exitStatus, 1);

  // The record and the backups are the user's only; the report the user saved follows the umask.
  const std::string data = dir.file("data/qxt7130-adj");
  for (const std::string& folder : {data, data + "/images"}) EXPECT_EQ(TempDir::Mode(folder), 0700) << folder;
  for (const auto& entry : std::filesystem::directory_iterator(data + "/images"))
    EXPECT_EQ(TempDir::Mode(entry.path().string()), 0600) << entry.path();
  const mode_t mask = ::umask(0);
  ::umask(mask);
  EXPECT_EQ(TempDir::Mode(dir.file("report.html")), 0666 & ~static_cast<int>(mask));
}

// The options belong to the window: a run from a shell reads them and never writes them.
TEST_F(CommandLine, HeadlessRunsLeaveTheOptionsFileAsItIs) {
  const std::string program = dir.file("qxt7130-adj"), options = dir.file("config/qxt7130-adj/PJ5102K.rs");
  TempDir::Write(program, TempDir::Read(QXT_APP_PATH));
  ASSERT_EQ(::chmod(program.c_str(), 0755), 0);
  std::filesystem::create_directories(dir.file("config/qxt7130-adj"));
  SimProcess sim({"--link", dir.file("radio")});
  const std::string text = "; mine\r\n[OPTION]\r\nComPort=3\r\n";
  TempDir::Write(options, text);
  const ProgramRun read =
      RunProgram(program, {"--read", dir.file("read.bin"), "--port", dir.file("radio")},
                 {{"DISPLAY", ""}, {"XDG_DATA_HOME", dir.file("data")}, {"XDG_CONFIG_HOME", dir.file("config")}});
  ASSERT_EQ(read.exitStatus, 0) << read.err;
  EXPECT_EQ(TempDir::Read(options), text);
}

// The edges of a transfer, run as a shell runs them: a signal during --restore stops it after the
// block under way, exit 1, the radio holding whole blocks of the file and its old memory after
// them. A read stopped writes no file. A restore without a terminal needs --yes, and a file that
// is not a regular file is refused before the port is touched.
TEST_F(CommandLine, TransfersEndInOrder) {
  const Bytes old = sim::DefaultImage({});
  Bytes file = old;
  for (size_t a = 0; a < file.size(); ++a) file[a] = static_cast<uint8_t>(a * 7 + 1);
  const std::string image = Image("other.bin", file);
  const std::string says = "The restore was cancelled after ";
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(signal);
    const std::string saved = dir.file(std::to_string(signal) + ".radio");
    SimProcess sim({"--link", dir.file("radio"), "--baud", "230400", "--save-image", saved});
    ChildProcess child(QXT_APP_PATH, {"--restore", image, "--port", dir.file("radio"), "--yes"},
                       {{"DISPLAY", ""}, {"XDG_DATA_HOME", dir.file("data")}, {"XDG_CONFIG_HOME", dir.file("config")}});
    child.CloseInput();
    bool sent = false;
    for (int quiet = 0; quiet < 120000 && child.Pump(100); quiet += 100) {
      if (!sent && child.err.find("writing: 10 %") != std::string::npos) sent = ::kill(child.pid(), signal) == 0;
    }
    ASSERT_TRUE(sent) << child.err;
    EXPECT_EQ(child.Wait(), 1) << child.err;
    const size_t at = child.out.find(says);
    ASSERT_NE(at, std::string::npos) << child.out;
    const int32_t written = std::atoi(child.out.c_str() + at + says.size());
    EXPECT_NE(child.out.find("the radio's memory is partly written"), std::string::npos);
    sim.Stop();
    const std::string radio = TempDir::Read(saved);
    ASSERT_EQ(radio.size(), old.size());
    EXPECT_GT(written, 0);
    EXPECT_EQ(written % 16, 0);  // whole blocks
    EXPECT_EQ(radio.substr(0, static_cast<size_t>(written)), std::string(file.begin(), file.begin() + written));
    EXPECT_EQ(radio.substr(static_cast<size_t>(written)), std::string(old.begin() + written, old.end()));
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

// Align all against the simulated radio and its generator; a signal during the sweep ends the run
// in order, the filters put back and RF off.
TEST_F(CommandLine, AlignAllWithoutAWindow) {
  SimProcess sim({"--link", dir.file("radio"), "--generator", "0"});
  ASSERT_GT(sim.generatorPort(), 0);
  const std::string generator = "TCPIP0::127.0.0.1::" + std::to_string(sim.generatorPort()) + "::SOCKET";
  const ProgramRun done =
      Run({"--align", "--port", dir.file("radio"), "--generator", generator, "--sequence", "BPF ALL, RSSI"});
  ASSERT_EQ(done.exitStatus, 0) << done.err;
  EXPECT_EQ(done.out.rfind("Align all: 2 of 2 done in ", 0), 0u) << done.out;
  EXPECT_NE(done.out.find("generator: " + generator + " (QXT-SIM,SG-1,0001,1.0)"), std::string::npos) << done.out;
  EXPECT_NE(done.out.find("  RSSI: done, "), std::string::npos) << done.out;

  const ProgramRun stopped =
      RunProgram(QXT_APP_PATH, {"--align", "--port", dir.file("radio"), "--generator", generator},
                 {{"DISPLAY", ""}, {"XDG_DATA_HOME", dir.file("data")}, {"XDG_CONFIG_HOME", dir.file("config")}},
                 {[&] {  // RF on and the filters on their way across their range
                    return sim.Command("gen status").find("RF on") != std::string::npos &&
                           sim.Command("status").find("BPF T1 92 T2 104") == std::string::npos;
                  },
                  SIGTERM});
  EXPECT_EQ(stopped.exitStatus, 1);
  EXPECT_NE(stopped.out.find("Align all stopped at BPF ALL: the program was closed"), std::string::npos) << stopped.out;
  EXPECT_NE(sim.Command("gen status").find("RF off"), std::string::npos);
  EXPECT_NE(sim.Command("status").find("BPF T1 92 T2 104"), std::string::npos);  // as the first run left them

  EXPECT_EQ(Run({"--align", "--generator", "bench-gen"}).exitStatus, 2);
  EXPECT_EQ(Run({"--read", dir.file("x.bin"), "--sequence", "RSSI"}).exitStatus, 2);
  EXPECT_EQ(Run({"--generator", "bench-gen"}).exitStatus, 2);
}
