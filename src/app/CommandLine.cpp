#include "app/CommandLine.h"

namespace qxt::app {

namespace {

struct ModeOption {
  const char* name;
  Mode mode;
  bool session;  // a session number comes first
  size_t files;
};

constexpr ModeOption kModes[] = {
    {"--read", Mode::kRead, false, 1},       {"--restore", Mode::kRestore, false, 1},
    {"--list", Mode::kList, false, 1},       {"--diff", Mode::kDiff, false, 2},
    {"--history", Mode::kHistory, false, 0}, {"--session", Mode::kSession, true, 0},
    {"--report", Mode::kReport, true, 1},    {"--help", Mode::kHelp, false, 0},
    {"-h", Mode::kHelp, false, 0},           {"--version", Mode::kVersion, false, 0},
};

// A session number: digits only, from 1.
int64_t SessionNumber(const std::string& text) {
  if (text.empty() || text.size() > 18 || text.find_first_not_of("0123456789") != std::string::npos) return 0;
  return std::stoll(text);
}

}  // namespace

CommandLine CommandLine::Parse(const std::vector<std::string>& args) {
  CommandLine cl;
  auto fail = [&](const std::string& why) {
    if (cl.error.empty()) cl.error = why;
  };
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= args.size()) {
        fail("missing value after " + a);
        return {};
      }
      return args[++i];
    };
    const ModeOption* mode = nullptr;
    for (const auto& m : kModes) {
      if (a == m.name) mode = &m;
    }
    if (mode != nullptr) {
      if (cl.mode != Mode::kWindow) fail("only one mode at a time (see --help)");
      cl.mode = mode->mode;
      if (mode->session) {
        const std::string number = value();
        cl.session = SessionNumber(number);
        if (cl.session == 0) fail(std::string(a) + " wants a session number, not \"" + number + "\"");
      }
      for (size_t f = 0; f < mode->files; ++f) cl.files.push_back(value());
    } else if (a == "--port") {
      cl.port = value();
    } else if (a == "--port-device") {
      cl.portDevices.push_back(value());
    } else if (a.rfind("--port-device=", 0) == 0) {
      cl.portDevices.push_back(a.substr(14));
    } else if (a == "--screenshot") {
      cl.screenshot = value();
    } else if (a == "--csv") {
      cl.csv = true;
    } else if (a == "--yes") {
      cl.yes = true;
    } else if (a == "--connect") {
      cl.connect = true;
    } else if (a == "--timing") {
      cl.timing = true;
    } else {
      fail("unknown option " + a);
    }
  }
  const bool transfer = cl.mode == Mode::kRead || cl.mode == Mode::kRestore;
  if (!cl.port.empty() && !transfer) fail("--port goes with --read and --restore");
  if (cl.csv && cl.mode != Mode::kHistory && cl.mode != Mode::kSession) fail("--csv goes with --history and --session");
  if (cl.yes && cl.mode != Mode::kRestore) fail("--yes goes with --restore");
  return cl;
}

const char* CommandLine::Usage() {
  return "usage: qxt7130-adj [--port-device COMn=PATH]... [--connect] [--timing] [--screenshot FILE]\n"
         "       qxt7130-adj --read FILE [--port COMn|PATH]\n"
         "       qxt7130-adj --restore FILE [--port COMn|PATH] [--yes]\n"
         "       qxt7130-adj --list FILE\n"
         "       qxt7130-adj --diff A B\n"
         "       qxt7130-adj --history [--csv] | --session N [--csv] | --report N FILE\n"
         "       qxt7130-adj --help | --version\n"
         "\n"
         "Without a mode the window opens. The modes need no display and open no window:\n"
         "  --read FILE              identify the radio, read its whole memory and save it as FILE\n"
         "                           (a new file: an existing one is never overwritten)\n"
         "  --restore FILE           read the radio (kept as a backup), write the image FILE into it,\n"
         "                           read it back and compare every byte; it shows what would change\n"
         "                           and asks for \"yes\" first\n"
         "  --yes                    --restore without asking (where no terminal can ask, it is needed)\n"
         "  --list FILE              the 67-line parameter listing of an image file\n"
         "  --diff A B               the listing lines in which two image files differ (exit 1 when\n"
         "                           they differ, 0 when not)\n"
         "  --history                the sessions of the service record, newest first\n"
         "  --session N              the events of session N (what was sent, why, the messages)\n"
         "  --csv                    --history and --session as CSV\n"
         "  --report N FILE          the service report of session N as FILE: PDF, or HTML when FILE\n"
         "                           ends in .html (a new file: an existing one is never overwritten)\n"
         "  --port COMn|PATH         the port of --read and --restore (default: the option ComPort)\n"
         "Options of the window:\n"
         "  --port-device COMn=PATH  open PATH as COM n in this run (not saved)\n"
         "  --connect                press \"Connect\" as soon as the window is shown\n"
         "  --timing                 print on standard error how long the start took\n"
         "  --screenshot FILE        connect, save the window as PNG once settled, and quit\n"
         "Exit status: 0 done, 1 the radio or the files say no, 2 a wrong command line.\n";
}

const char* CommandLine::Version() { return "qxt7130-adj 1.0 (QX-T7130 ADJ Rev.1.0)\n"; }

}  // namespace qxt::app
