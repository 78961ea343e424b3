#pragma once
// The program's command line, parsed before any window system is touched:
//   (none)                    the window
//   --read FILE               identify the radio, read its memory, save it as FILE (a new file)
//   --restore FILE            read the radio (kept as a backup), write FILE into it, read it
//                             back and compare every byte
//   --list FILE               the 67-line parameter listing of an image file
//   --diff A B                the listing lines in which two image files differ
//   --history [--csv]         the sessions of the service record, newest first
//   --session N [--csv]       the events of session N
//   --report N FILE           the service report of session N as FILE (.pdf or .html)
//   --port COMn|PATH          the port of --read and --restore (default: the option ComPort)
//   --yes                     --restore without asking (needed where no terminal can ask)
//   --port-device COMn=PATH   use PATH for COM n in this run only (repeatable; not saved)
//   --connect                 press "Connect" as soon as the window is shown
//   --timing                  print on standard error how long the start took
//   --screenshot FILE         connect, wait for the steady cycle, save the window as PNG, quit
//   --help, --version

#include <cstdint>
#include <string>
#include <vector>

namespace qxt::app {

enum class Mode { kWindow, kRead, kRestore, kList, kDiff, kHistory, kSession, kReport, kHelp, kVersion };

struct CommandLine {
  Mode mode = Mode::kWindow;
  std::vector<std::string> files;  // the FILE arguments of the mode
  int64_t session = 0;             // --session N, --report N
  bool csv = false;
  bool yes = false;  // --restore writes without asking
  std::string port;  // --port: COMn or a device path
  std::vector<std::string> portDevices;
  std::string screenshot;
  bool connect = false;
  bool timing = false;
  std::string error;

  static CommandLine Parse(const std::vector<std::string>& args);
  static const char* Usage();
  static const char* Version();
};

}  // namespace qxt::app
