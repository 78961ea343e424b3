#include "app/HeadlessTransfer.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "adjust/ImageBackup.h"
#include "adjust/ImageFile.h"
#include "app/ComTimer.h"
#include "app/HeadlessPort.h"
#include "common/Common.h"
#include "common/SteadyTickSource.h"
#include "record/Provenance.h"
#include "record/RecordReader.h"
#include "window/RestorePreview.h"

namespace qxt::app {

HeadlessTransfer::HeadlessTransfer(const CommandLine& cl)
    : cl_(cl), program_(port_, common::SteadyTickSource::instance(), view_, view_) {
  common::MessageBox::install(this);
  program_.SaveOptionsAtExit(false);  // a run from a shell leaves the window's options as they are
}

HeadlessTransfer::~HeadlessTransfer() { common::MessageBox::install(nullptr); }

// A warning is said and the work goes on; any other box is the message of a failure.
int16_t HeadlessTransfer::show(const std::string& text, const std::string&, int16_t style, const std::string& detail) {
  std::string lines = detail.empty() ? text : text + "\r\n" + detail;
  for (size_t at; (at = lines.find("\r\n")) != std::string::npos;) lines.replace(at, 2, "\n");
  std::fprintf(stderr, "qxt7130-adj: %s%s\n", style == kWarning ? "warning: " : "", lines.c_str());
  if (style == kWarning) return kOk;
  program_.keeper().Message("error", text);
  lastError_ = text;
  failed_ = true;
  return kOk;
}

void HeadlessTransfer::OnSignal(int signal) {
  if (stopRequested_) {
    std::fprintf(stderr, "qxt7130-adj: %s again: ending at once\n", strsignal(signal));
    std::_Exit(1);
  }
  stopRequested_ = true;
  if (writing_ != nullptr) {
    writing_->Cancel();
    std::fprintf(stderr, "qxt7130-adj: %s: stopping after the block under way (again to end at once)\n",
                 strsignal(signal));
  } else {
    std::fprintf(stderr, "qxt7130-adj: %s: stopping\n", strsignal(signal));
  }
}

// Sleeps until the next event: the heartbeat, bytes at the port or a signal.
bool HeadlessTransfer::Finish(const char* what) {
  ComTimer timer(program_.com());
  timer.start();
  int shown = -1;
  const link::clsCmcCln3Drv& drv = program_.com().cln3D();
  while (program_.seq().OpRunning() && !failed_) {
    if (stopRequested_ && writing_ == nullptr) return false;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const int32_t total = drv.EndAddress();
    const int32_t done = drv.workMode() == link::WorkMode::kCloneRead ? drv.bytesReceived() : drv.lastEeAdr() + 1;
    const int tenth = total > 0 ? static_cast<int>(int64_t{done} * 10 / total) : 0;
    if (tenth > shown && done > 0) {
      shown = tenth;
      std::fprintf(stderr, "%s: %d %%\n", what, tenth * 10);
    }
  }
  return !failed_ && !(stopRequested_ && writing_ == nullptr);
}

// Each read goes on record (the first of the session names the radio).
bool HeadlessTransfer::ReadRadio(const std::string& keptAs) {
  program_.seq().easyCloneRead();
  if (!Finish("reading")) return false;
  program_.keeper().RadioRead(program_.radio(), program_.seq().ansInfo(), keptAs);
  return true;
}

bool HeadlessTransfer::ReadRadioFirst(const std::string& keptAs, bool& afterUnfinished) {
  program_.seq().easyCloneRead();
  if (!Finish("reading")) return false;
  const auto unfinished = program_.keeper().UnfinishedRestore(program_.seq().ansInfo());
  afterUnfinished = unfinished.has_value();
  if (unfinished) {
    program_.keeper().Message("warning", *unfinished);
    common::MsgBoxWarning(*unfinished);
  }
  if (!keptAs.empty()) program_.keeper().RadioRead(program_.radio(), program_.seq().ansInfo(), keptAs);
  return true;
}

int HeadlessTransfer::Stopped(const char* what) {
  lastError_ = std::string("stopped by a signal; ") + what;
  std::fprintf(stderr, "qxt7130-adj: %s\n", lastError_.c_str());
  return 1;
}

int HeadlessTransfer::Run() {
  // A full read takes about 100 s: a file that cannot be made is said before the port is touched.
  std::string why;
  if (cl_.mode == Mode::kRead && !adjust::ImageFile::CanCreate(cl_.files.at(0), why)) {
    std::fprintf(stderr, "qxt7130-adj: %s\n", why.c_str());
    return 1;
  }
  if (cl_.mode == Mode::kRestore && !cl_.yes && ::isatty(STDIN_FILENO) == 0) {
    std::fprintf(stderr, "qxt7130-adj: --restore asks before it writes, and there is no terminal to ask: give --yes\n");
    return 2;
  }
  program_.Start();
  if (!ChooseHeadlessPort(program_, cl_)) {
    std::fprintf(stderr, "qxt7130-adj: --port wants COM1 to COM10 or a device path, not \"%s\"\n", cl_.port.c_str());
    return 2;
  }
  signals_ = std::make_unique<QuitOnSignal>(std::initializer_list<int>{SIGTERM, SIGINT, SIGHUP},
                                            [this](int signal) { OnSignal(signal); });
  window::MainWindowLogic& main = program_.main();
  program_.keeper().Connecting(main.comPortNo(), program_.com().DevicePath(main.comPortNo()), main.technician());
  const int rc = cl_.mode == Mode::kRead ? Read(cl_.files.at(0)) : Restore(cl_.files.at(0));
  program_.keeper().Ended(rc == 0 ? "closed" : stopRequested_ ? "stopped" : "error", rc == 0 ? "" : lastError_);
  program_.CloseDown();
  signals_.reset();
  return rc;
}

int HeadlessTransfer::Read(const std::string& path) {
  bool afterUnfinished = false;
  if (!ReadRadioFirst(path, afterUnfinished)) return stopRequested_ ? Stopped("no file was written") : 1;
  // Every read is kept in the backup folder, as the window keeps it.
  const adjust::ImageBackup::Saved saved = adjust::ImageBackup::Save(
      program_.radio().eepImage().bytes(), program_.radio().radioNameM(), program_.radio().radionameS(),
      std::time(nullptr), afterUnfinished ? adjust::ImageBackup::kAfterUnfinishedRestore : "");
  if (saved.path.empty()) {
    std::fprintf(stderr, "qxt7130-adj: no backup of the radio was kept (%s)\n", saved.error.c_str());
  } else {
    std::fprintf(stderr, "backup of the radio: %s\n", saved.path.c_str());
  }
  std::string why;
  if (!adjust::ImageFile::SaveNew(path, program_.radio().eepImage().bytes(), why)) {
    std::fprintf(stderr, "qxt7130-adj: %s\n", why.c_str());
    lastError_ = why;
    return 1;
  }
  std::printf("%s: the memory of radio %s-%s, %d bytes\n", path.c_str(), program_.radio().radioNameM().c_str(),
              program_.radio().radionameS().c_str(), memory::clsCmcEeprom::kDefaultSize);
  return 0;
}

// The radio's memory as it is goes to the backup folder before anything is written, and the
// technician sees what the file would change before saying yes.
int HeadlessTransfer::Restore(const std::string& path) {
  std::string why;
  const auto file = adjust::ImageFile::Load(path, why);
  if (!file) {
    std::fprintf(stderr, "qxt7130-adj: %s\n", why.c_str());
    return 1;
  }
  bool afterUnfinished = false;
  if (!ReadRadioFirst("", afterUnfinished)) return stopRequested_ ? Stopped("nothing was written") : 1;
  const adjust::ImageBackup::Saved saved = adjust::ImageBackup::Save(
      program_.radio().eepImage().bytes(), program_.radio().radioNameM(), program_.radio().radionameS(),
      std::time(nullptr), afterUnfinished ? adjust::ImageBackup::kAfterUnfinishedRestore : "");
  const std::string& backup = saved.path;
  program_.keeper().RadioRead(program_.radio(), program_.seq().ansInfo(), backup);
  if (backup.empty()) {
    lastError_ = "the radio's memory could not be kept as a backup (" + saved.error + "); nothing was written";
    program_.keeper().RestoreRefused(path, lastError_);
    std::fprintf(stderr, "qxt7130-adj: %s\n", lastError_.c_str());
    return 1;
  }
  std::fprintf(stderr, "backup of the radio: %s\n", backup.c_str());
  if (!Confirmed(path, *file, backup)) {
    if (stopRequested_) return Stopped("nothing was written");
    lastError_ = "not confirmed; nothing was written";
    program_.keeper().RestoreRefused(path, lastError_);
    std::fprintf(stderr, "qxt7130-adj: %s\n", lastError_.c_str());
    return 1;
  }
  adjust::RestoreWrite restore(program_.seq(), program_.radio());
  program_.keeper().RestoreStarted(path, *file);
  writing_ = &restore;
  restore.StartWrite(*file);
  if (stopRequested_) restore.Cancel();  // a signal while the summary was read
  bool checked = Finish("writing");
  writing_ = nullptr;
  if (checked && restore.FinishWrite()) checked = ReadRadio("");
  if (!checked || restore.phase() != adjust::RestoreWrite::Phase::kVerifying) {
    restore.Abandon();  // a stop or a failure: the report says how far the write came
  } else {
    restore.Verify(program_.radio().eepImage());
  }
  std::string report = restore.report();
  program_.keeper().RestoreEnded(restore.outcome(), restore.bytesWritten(), report.substr(0, report.find('\r')));
  for (size_t at; (at = report.find("\r\n")) != std::string::npos;) report.replace(at, 2, "\n");
  std::printf("%s\n", report.c_str());
  if (!restore.verified()) lastError_ = report.substr(0, report.find('\n'));
  return restore.verified() ? 0 : 1;
}

bool HeadlessTransfer::Confirmed(const std::string& path, const Bytes& file, const std::string& backup) {
  std::string provenance;
  if (program_.record().on()) {
    const record::RecordReader& reader = program_.record().reader();
    provenance = record::ProvenanceNote(reader, file, program::RecordKeeper::IdentityOf(program_.seq().ansInfo()));
  }
  const window::RestorePreview preview(program_.radio().eepImage().bytes(), file, provenance,
                                       "The radio's memory as read now is kept as a backup: " + backup + ".");
  std::printf("%s\n\n%s\n", preview.Summary(path).c_str(), preview.DifferingLines().c_str());
  if (cl_.yes) return true;
  std::printf("Write %s into the radio? Type yes to write it: ", path.c_str());
  std::fflush(stdout);
  const auto answer = AnswerLine();
  return answer && *answer == "yes";
}

// A line from the terminal, waited for in the event loop so that a signal still stops the work.
std::optional<std::string> HeadlessTransfer::AnswerLine() {
  QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
  bool ready = false;
  QObject::connect(&input, &QSocketNotifier::activated, [&] { ready = true; });
  while (!ready && !stopRequested_) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  char line[64] = {};
  if (!ready || std::fgets(line, sizeof line, stdin) == nullptr) return std::nullopt;
  std::string answer(line);
  while (!answer.empty() && (answer.back() == '\n' || answer.back() == '\r' || answer.back() == ' ')) answer.pop_back();
  return answer;
}

}  // namespace qxt::app
