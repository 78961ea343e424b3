#include "app/HeadlessTransfer.h"

#include <QCoreApplication>
#include <cstdio>
#include <ctime>

#include "app/ComTimer.h"
#include "common/Common.h"
#include "common/SteadyTickSource.h"
#include "model/ImageBackup.h"
#include "model/ImageFile.h"
#include "model/RigK70RRestore.h"

namespace qxt::app {

HeadlessTransfer::HeadlessTransfer(const CommandLine& cl)
    : cl_(cl), program_(port_, common::SteadyTickSource::instance(), view_, view_) {
  common::MessageBox::install(this);
}

HeadlessTransfer::~HeadlessTransfer() { common::MessageBox::install(nullptr); }

int16_t HeadlessTransfer::show(const std::string& text, const std::string&, int16_t, const std::string& detail) {
  std::string lines = detail.empty() ? text : text + "\r\n" + detail;
  for (size_t at; (at = lines.find("\r\n")) != std::string::npos;) lines.replace(at, 2, "\n");
  std::fprintf(stderr, "qxt7130-adj: %s\n", lines.c_str());
  program_.keeper().Message("error", text);
  lastError_ = text;
  failed_ = true;
  return kOk;
}

bool HeadlessTransfer::ChoosePort() {
  for (const auto& mapping : cl_.portDevices) {
    if (!program_.com().portDevices().addOverride(mapping)) return false;
  }
  if (cl_.port.empty()) return true;
  if ((cl_.port.rfind("COM", 0) == 0 || cl_.port.rfind("com", 0) == 0) && cl_.port.size() <= 5) {
    const std::string digits = cl_.port.substr(3);
    const int n = digits.empty() ? 0 : std::atoi(digits.c_str());
    if (n < link::frmCom::imdMinComPortNum || n > link::frmCom::imdmaxComPortNum) return false;
    program_.main().ComPortNo(n);
    return true;
  }
  program_.com().portDevices().setOverride(1, cl_.port);
  program_.main().ComPortNo(1);
  return true;
}

bool HeadlessTransfer::Finish(const char* what) {
  ComTimer timer(program_.com());
  timer.start();
  int shown = -1;
  const link::clsCmcCln3Drv& drv = program_.com().cln3D();
  while (program_.seq().OpRunning() && !failed_) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const int32_t total = drv.EndAddress();
    const int32_t done = drv.workMode() == link::WorkMode::kCloneRead ? drv.bytesReceived() : drv.lastEeAdr() + 1;
    const int tenth = total > 0 ? static_cast<int>(int64_t{done} * 10 / total) : 0;
    if (tenth > shown && done > 0) {
      shown = tenth;
      std::fprintf(stderr, "%s: %d %%\n", what, tenth * 10);
    }
  }
  return !failed_;
}

// Each read goes on record (the first of the session names the radio).
bool HeadlessTransfer::ReadRadio(const std::string& keptAs) {
  program_.seq().easyCloneRead();
  if (!Finish("reading")) return false;
  program_.keeper().RadioRead(program_.radio(), program_.seq().ansInfo(), keptAs);
  return true;
}

int HeadlessTransfer::Run() {
  program_.Start();
  if (!ChoosePort()) {
    std::fprintf(stderr, "qxt7130-adj: --port wants COM1 to COM10 or a device path, not \"%s\"\n", cl_.port.c_str());
    return 2;
  }
  model::MainWindowLogic& main = program_.main();
  program_.keeper().Connecting(main.ComPortNo(), program_.com().DevicePath(main.ComPortNo()), main.Technician());
  const int rc = cl_.mode == Mode::kRead ? Read(cl_.files.at(0)) : Restore(cl_.files.at(0));
  program_.keeper().Ended(rc == 0 ? "closed" : "error", rc == 0 ? "" : lastError_);
  program_.CloseDown();
  return rc;
}

int HeadlessTransfer::Read(const std::string& path) {
  if (!ReadRadio(path)) return 1;
  std::string why;
  if (!model::ImageFile::SaveNew(path, program_.radio().eepImage().bytes(), why)) {
    std::fprintf(stderr, "qxt7130-adj: %s\n", why.c_str());
    lastError_ = why;
    return 1;
  }
  std::printf("%s: the memory of radio %s-%s, %d bytes\n", path.c_str(), program_.radio().radioNameM().c_str(),
              program_.radio().radionameS().c_str(), memory::clsCmcEeprom::kDefaultSize);
  return 0;
}

// The radio's memory as it is goes to the backup folder before anything is written.
int HeadlessTransfer::Restore(const std::string& path) {
  std::string why;
  const auto file = model::ImageFile::Load(path, why);
  if (!file) {
    std::fprintf(stderr, "qxt7130-adj: %s\n", why.c_str());
    return 1;
  }
  program_.seq().easyCloneRead();
  if (!Finish("reading")) return 1;
  const model::ImageBackup::Saved saved =
      model::ImageBackup::Save(program_.radio().eepImage().bytes(), program_.radio().radioNameM(),
                               program_.radio().radionameS(), std::time(nullptr));
  const std::string& backup = saved.path;
  program_.keeper().RadioRead(program_.radio(), program_.seq().ansInfo(), backup);
  if (backup.empty()) {
    std::fprintf(stderr, "qxt7130-adj: the radio's memory could not be kept as a backup (%s); nothing was written\n",
                 saved.error.c_str());
    return 1;
  }
  std::fprintf(stderr, "backup of the radio: %s\n", backup.c_str());
  model::RigK70RRestore restore(program_.seq(), program_.radio());
  restore.StartWrite(*file);
  bool checked = Finish("writing");
  if (checked) {
    restore.FinishWrite();
    checked = ReadRadio("");
  }
  if (!checked) {
    restore.Abandon();
    program_.keeper().Restored(path, *file, false, restore.report());
    std::printf("%s\n", restore.report().c_str());
    return 1;
  }
  restore.Verify(program_.radio().eepImage());
  program_.keeper().Restored(path, *file, restore.verified(), restore.report().substr(0, restore.report().find('\r')));
  std::string report = restore.report();
  for (size_t at; (at = report.find("\r\n")) != std::string::npos;) report.replace(at, 2, "\n");
  std::printf("%s\n", report.c_str());
  return restore.verified() ? 0 : 1;
}

}  // namespace qxt::app
