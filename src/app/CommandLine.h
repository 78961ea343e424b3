#pragma once
// The program's command line:
//   --port-device COMn=PATH   use PATH for COM n in this run only (repeatable; not saved)
//   --connect                 press "Connect" as soon as the window is shown
//   --timing                  print on standard error how long the start took
//   --screenshot FILE         connect, wait for the steady cycle, save the window as PNG, quit
//   --help

#include <QStringList>
#include <string>
#include <vector>

namespace qxt::app {

struct CommandLine {
  std::vector<std::string> portDevices;
  std::string screenshot;
  bool connect = false;
  bool timing = false;
  bool help = false;
  std::string error;

  static CommandLine Parse(const QStringList& args);
  static const char* Usage();
};

}  // namespace qxt::app
