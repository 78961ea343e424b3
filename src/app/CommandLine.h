#pragma once
// The program's command line:
//   --port-device COMn=PATH   use PATH for COM n in this run only (repeatable; not saved)
//   --screenshot FILE         connect, wait for the steady cycle, save the window as PNG, quit
//   --help

#include <QStringList>
#include <string>
#include <vector>

struct CommandLine {
  std::vector<std::string> portDevices;
  std::string screenshot;
  bool help = false;
  std::string error;

  static CommandLine Parse(const QStringList& args);
  static const char* Usage();
};
