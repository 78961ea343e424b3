#include "app/CommandLine.h"

namespace qxt::app {

CommandLine CommandLine::Parse(const QStringList& args) {
  CommandLine cl;
  for (int i = 1; i < args.size(); ++i) {
    const QString& a = args[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= args.size()) {
        cl.error = "missing value after " + a.toStdString();
        return {};
      }
      return args[++i].toStdString();
    };
    if (a == "--port-device") {
      cl.portDevices.push_back(value());
    } else if (a.startsWith("--port-device=")) {
      cl.portDevices.push_back(a.mid(14).toStdString());
    } else if (a == "--screenshot") {
      cl.screenshot = value();
    } else if (a == "--connect") {
      cl.connect = true;
    } else if (a == "--timing") {
      cl.timing = true;
    } else if (a == "--help" || a == "-h") {
      cl.help = true;
    } else {
      cl.error = "unknown option " + a.toStdString();
    }
  }
  return cl;
}

const char* CommandLine::Usage() {
  return "usage: qxt7130-adj [--port-device COMn=PATH]... [--connect] [--timing] [--screenshot FILE]\n"
         "  --port-device COMn=PATH  open PATH as COM n in this run (not saved)\n"
         "  --connect                press \"Connect\" as soon as the window is shown\n"
         "  --timing                 print on standard error how long the start took\n"
         "  --screenshot FILE        connect, save the window as PNG once settled, and quit\n";
}

}  // namespace qxt::app
