#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#include "instrument/VisaResource.h"
#include "link/PortDeviceMap.h"

namespace qxt::app {

namespace {

struct ModeOption {
  const char* name;
  Mode mode;
  const char* valueName;  // nullptr: a flag
  int more;               // arguments after the option's value (--diff A B, --report N FILE)
  AppKind app;
};

constexpr ModeOption kModes[] = {
    {"read", Mode::kRead, "FILE", 0, AppKind::kCore},        {"restore", Mode::kRestore, "FILE", 0, AppKind::kCore},
    {"list", Mode::kList, "FILE", 0, AppKind::kCore},        {"diff", Mode::kDiff, "A", 1, AppKind::kCore},
    {"history", Mode::kHistory, nullptr, 0, AppKind::kCore}, {"session", Mode::kSession, "N", 0, AppKind::kCore},
    {"report", Mode::kReport, "N", 1, AppKind::kPainting},   {"help", Mode::kHelp, nullptr, 0, AppKind::kCore},
    {"version", Mode::kVersion, nullptr, 0, AppKind::kCore}, {"align", Mode::kAlign, nullptr, 0, AppKind::kCore},
    {"radio", Mode::kRadio, "ID", 0, AppKind::kCore},
};

const char* const kWindowOnly[] = {"connect", "timing", "screenshot"};

// A session number: digits only, from 1.
int64_t SessionNumber(const QString& text) {
  if (text.isEmpty() || text.size() > 18 || !QRegularExpression("^[0-9]+$").match(text).hasMatch()) return 0;
  return text.toLongLong();
}

// "COMn" with n from 1 to 10 as "COMn", any other text but "COM..." as a device path; "" when
// the text is neither.
std::string PortArgument(const QString& text) {
  if (text.isEmpty()) return {};
  const auto com = QRegularExpression("^com([0-9]*)$", QRegularExpression::CaseInsensitiveOption).match(text);
  if (!com.hasMatch()) return text.toStdString();
  const QString digits = com.captured(1);
  const int n = digits.size() <= 2 ? digits.toInt() : 0;
  if (n < 1 || n > link::PortDeviceMap::kLast) return {};
  return "COM" + std::to_string(n);
}

}  // namespace

AppKind CommandLine::Needs(const QStringList& args) {
  for (qsizetype i = 1; i < args.size(); ++i) {
    const QString& a = args[i];
    if (a == "--") break;
    if (a == "-h" || a == "-v") return AppKind::kCore;
    if (!a.startsWith("--")) continue;
    const QString name = a.mid(2).section('=', 0, 0);
    for (const auto& m : kModes) {
      if (name == m.name) return m.app;
    }
  }
  return AppKind::kWindow;
}

QStringList CommandLine::WithoutQtOptions(const QStringList& args) {
  static const QStringList kWithValue{"-platform",      "-platformpluginpath",
                                      "-platformtheme", "-plugin",
                                      "-style",         "-stylesheet",
                                      "-session",       "-display",
                                      "-geometry",      "-qwindowgeometry",
                                      "-qwindowtitle",  "-qwindowicon",
                                      "-title",         "-name",
                                      "-visual"};
  static const QStringList kFlags{"-reverse", "-nograb", "-dograb", "-sync", "-widgetcount", "-testability"};
  QStringList kept;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    const QString name = a.section('=', 0, 0);
    if (i > 0 && kWithValue.contains(name)) {
      if (!a.contains('=')) ++i;
    } else if (i == 0 || !kFlags.contains(a)) {
      kept << a;
    }
  }
  return kept;
}

CommandLine CommandLine::Parse(const QStringList& args) {
  CommandLine cl;
  auto fail = [&](const std::string& why) {
    if (cl.error.empty()) cl.error = why;
  };
  QCommandLineParser parser;
  parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
  for (const auto& m : kModes) {
    QStringList names{m.name};
    if (m.mode == Mode::kHelp || m.mode == Mode::kVersion) names.prepend(QString(m.name[0]));
    parser.addOption(m.valueName != nullptr ? QCommandLineOption(names, "", m.valueName) : QCommandLineOption(names));
  }
  parser.addOptions({{"port", "", "COMn|PATH"},
                     {"port-device", "", "COMn=PATH"},
                     {"screenshot", "", "FILE"},
                     {"csv", ""},
                     {"yes", ""},
                     {"connect", ""},
                     {"timing", ""},
                     {"generator", "", "RESOURCE"},
                     {"sequence", "", "LIST"},
                     {"record-server", "", "URI"}});
  if (!parser.parse(args)) {
    cl.error = parser.errorText().toStdString();
    return cl;
  }
  const ModeOption* mode = nullptr;
  for (const auto& m : kModes) {
    if (!parser.isSet(m.name)) continue;
    if (mode != nullptr || parser.values(m.name).size() > 1) fail("only one mode at a time (see --help)");
    mode = &m;
  }
  const QStringList rest = parser.positionalArguments();
  const int more = mode != nullptr ? mode->more : 0;
  if (rest.size() > more) fail("unexpected argument \"" + rest[more].toStdString() + "\"");
  if (mode != nullptr) {
    cl.mode = mode->mode;
    const QString value = mode->valueName != nullptr ? parser.value(mode->name) : QString();
    if (mode->mode == Mode::kSession || mode->mode == Mode::kReport) {
      cl.session = SessionNumber(value);
      if (cl.session == 0)
        fail("--" + std::string(mode->name) + " wants a session number, not \"" + value.toStdString() + "\"");
    } else if (mode->mode == Mode::kRadio) {
      cl.radio = value.toUpper().toStdString();
      if (!QRegularExpression("^[0-9A-F]+$").match(value.toUpper()).hasMatch())
        fail("--radio wants the radio's identification data in hex, not \"" + value.toStdString() + "\"");
    } else if (mode->valueName != nullptr) {
      cl.files.push_back(value.toStdString());
    }
    for (const QString& file : rest) cl.files.push_back(file.toStdString());
    if (rest.size() < more) fail(mode->mode == Mode::kDiff ? "--diff wants two files" : "--report wants N and FILE");
  }
  const bool transfer = cl.mode == Mode::kRead || cl.mode == Mode::kRestore || cl.mode == Mode::kAlign;
  if (parser.isSet("port")) {
    if (!transfer) fail("--port goes with --read, --restore and --align");
    cl.port = PortArgument(parser.value("port"));
    if (cl.port.empty())
      fail("--port wants COM1 to COM10 or a device path, not \"" + parser.value("port").toStdString() + "\"");
  }
  for (const QString& mapping : parser.values("port-device")) {
    if (cl.mode != Mode::kWindow && !transfer)
      fail("--port-device goes with the window, --read, --restore and --align");
    if (!link::PortDeviceMap().addOverride(mapping.toStdString()))
      fail("--port-device wants COMn=PATH with n from 1 to 10, not \"" + mapping.toStdString() + "\"");
    cl.portDevices.push_back(mapping.toStdString());
  }
  for (const char* option : kWindowOnly) {
    if (parser.isSet(option) && cl.mode != Mode::kWindow)
      fail("--" + std::string(option) + " goes with the window only");
  }
  cl.csv = parser.isSet("csv");
  if (cl.csv && cl.mode != Mode::kHistory && cl.mode != Mode::kSession && cl.mode != Mode::kRadio)
    fail("--csv goes with --history, --session and --radio");
  cl.recordServer = parser.value("record-server").toStdString();
  if (parser.isSet("record-server") &&
      (cl.mode == Mode::kList || cl.mode == Mode::kDiff || cl.mode == Mode::kHelp || cl.mode == Mode::kVersion))
    fail("--record-server goes with the modes that use the service record and the window");
  if (parser.isSet("record-server") && cl.recordServer.empty())
    fail("--record-server wants a connection string or URI");
  cl.yes = parser.isSet("yes");
  if (cl.yes && cl.mode != Mode::kRestore) fail("--yes goes with --restore");
  cl.connect = parser.isSet("connect");
  cl.timing = parser.isSet("timing");
  cl.screenshot = parser.value("screenshot").toStdString();
  cl.generator = parser.value("generator").toStdString();
  cl.sequence = parser.value("sequence").toStdString();
  if ((parser.isSet("generator") || parser.isSet("sequence")) && cl.mode != Mode::kAlign && cl.mode != Mode::kWindow)
    fail("--generator and --sequence go with --align and the window");
  std::string why;
  if (parser.isSet("generator") && !instrument::VisaResource::Parse(cl.generator, why)) fail("--generator: " + why);
  return cl;
}

const char* CommandLine::Usage() {
  return "usage: qxt7130-adj [--port-device COMn=PATH]... [--connect] [--timing] [--screenshot FILE]\n"
         "       qxt7130-adj --read FILE [--port COMn|PATH]\n"
         "       qxt7130-adj --restore FILE [--port COMn|PATH] [--yes]\n"
         "       qxt7130-adj --align [--port COMn|PATH] [--generator RESOURCE] [--sequence LIST]\n"
         "       qxt7130-adj --list FILE\n"
         "       qxt7130-adj --diff A B\n"
         "       qxt7130-adj --history [--csv] | --session N [--csv] | --report N FILE | --radio ID [--csv]\n"
         "       qxt7130-adj -h | --help | -v | --version\n"
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
         "  --radio ID               every session of the radio with identification data ID (hex, as\n"
         "                           --session shows it), oldest first, on every bench\n"
         "  --csv                    --history, --session and --radio as CSV\n"
         "  --report N FILE          the service report of session N as FILE: PDF, or HTML when FILE\n"
         "                           ends in .html (a new file: an existing one is never overwritten)\n"
         "  --align                  connect (clone read and backup), then run the procedures of the\n"
         "                           option Sequence unattended, the bench generator setting the\n"
         "                           signal; the summary on standard output\n"
         "  --generator RESOURCE     the generator of --align in this run: TCPIP0::host::5025::SOCKET\n"
         "                           or TCPIP0::host::inst0::INSTR (default: the option Generator)\n"
         "  --sequence LIST          the procedures of --align by their titles, comma-separated\n"
         "  --port COMn|PATH         the port of --read, --restore and --align (default: the option\n"
         "                           ComPort)\n"
         "  --port-device COMn=PATH  open PATH as COM n (1 to 10) in this run (not saved)\n"
         "Options of the window (and Qt's own, such as -style NAME, -platform NAME, -session ID):\n"
         "  --connect                press \"Connect\" as soon as the window is shown\n"
         "  --generator, --sequence  as for --align, for Tools > \"Align all\" in this run (not saved)\n"
         "  --timing                 print on standard error how long the start took\n"
         "  --screenshot FILE        connect, save the window as PNG once settled, and quit\n"
         "  --record-server URI      the shop's record server in this run (a libpq connection string or\n"
         "                           URI; default: the option Server in [RECORD]; not saved)\n"
         "Options take their value as --opt VALUE or --opt=VALUE.\n"
         "Exit status: 0 done, 1 the radio, the instrument or the files say no (--align: a step\n"
         "failed), 2 a wrong command line.\n";
}

const char* CommandLine::Version() { return "qxt7130-adj 1.0 (QX-T7130 ADJ Rev.1.0)\n"; }

}  // namespace qxt::app
