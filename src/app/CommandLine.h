#pragma once
// The program's command line:
//   (none)                    the window
//   --read FILE               identify the radio, read its memory, save it as FILE (a new file)
//   --restore FILE            read the radio (kept as a backup), write FILE into it, read it
//                             back and compare every byte
//   --list FILE               the 67-line parameter listing of an image file
//   --diff A B                the listing lines in which two image files differ
//   --history [--csv]         the sessions of the service record, newest first
//   --session N [--csv]       the events of session N
//   --report N FILE           the service report of session N as FILE (.pdf or .html)
//   --radio ID [--csv]        every session of the radio with identification data ID (hex)
//   --record-server URI       the shop's record server of this run (not saved)
//   --align                   Connect, then Align all unattended; the summary on standard output
//   --generator RESOURCE      the bench generator of --align or the window in this run (not saved)
//   --sequence LIST           the procedures of Align all in this run (not saved)
//   --port COMn|PATH          the port of --read, --restore and --align (default: the option ComPort)
//   --yes                     --restore without asking (needed where no terminal can ask)
//   --port-device COMn=PATH   use PATH for COM n in this run only (repeatable; not saved)
//   --connect                 press "Connect" as soon as the window is shown
//   --timing                  print on standard error how long the start took
//   --screenshot FILE         connect, wait for the steady cycle, save the window as PNG, quit
//   -h/--help, -v/--version
//
// Which application object a run needs is decided from the raw arguments first (the window
// needs a display, the modes do not); the arguments are then parsed by QCommandLineParser from
// that object's own list, so the options Qt takes for itself (-style, -platform, -session...)
// are gone by then. Options take their value as "--opt value" or "--opt=value".

#include <QStringList>
#include <cstdint>
#include <string>
#include <vector>

namespace qxt::app {

enum class Mode {
  kWindow,
  kRead,
  kRestore,
  kList,
  kDiff,
  kHistory,
  kSession,
  kReport,
  kRadio,
  kAlign,
  kHelp,
  kVersion
};

// The application object a run is built on.
enum class AppKind {
  kCore,      // no window system at all
  kPainting,  // widgets' painting without a window (the report), offscreen when there is no display
  kWindow,    // the window
};

struct CommandLine {
  Mode mode = Mode::kWindow;
  std::vector<std::string> files;  // the FILE arguments of the mode
  int64_t session = 0;             // --session N, --report N
  bool csv = false;
  bool yes = false;  // --restore writes without asking
  std::string port;  // --port: COMn or a device path
  std::vector<std::string> portDevices;
  std::string screenshot;
  std::string generator;     // --generator
  std::string sequence;      // --sequence
  std::string radio;         // --radio: identification data in hex, upper case
  std::string recordServer;  // --record-server
  bool connect = false;
  bool timing = false;
  std::string error;

  static AppKind Needs(const QStringList& args);
  static CommandLine Parse(const QStringList& args);
  // The arguments without the options Qt's window system would have taken (-style NAME,
  // -reverse...): for the modes without one, and to check the program's own where no window
  // system can be started.
  static QStringList WithoutQtOptions(const QStringList& args);
  static const char* Usage();
  static const char* Version();
};

}  // namespace qxt::app
