#include "link/frmCom.h"

#include <cstdio>
#include <cstdlib>

#include "common/Common.h"
#include "settings/OptionsLocation.h"

namespace qxt::link {

frmCom::frmCom(SerialPort& port, const common::TickSource& ticks) : cln3D(ticks), port_(port), trace_(ticks) {
  profMain.SetCurrentPath();
  profMain.Name(std::string("PJ5102K") + ".rs");
  profMain.Section(common::kAppTitle);
  profMain.Path(settings::OptionsLocation::Choose(profMain.Path(), profMain.Name()));
  cln3D.myObjCom = this;
  port_.setListener(this);
  Reset();
}

frmCom::~frmCom() { port_.setListener(nullptr); }

void frmCom::ApplyDefaults(int32_t baud, int32_t threshold) {
  comOpen(false);
  comPortNum_ = 1;
  comBaud_ = baud;
  rThreshold_ = threshold;
  errCannotOpen_ = false;
  errOverflow_ = false;
}

void frmCom::Reset() { ApplyDefaults(9600, 1); }

void frmCom::HighSpeedBRatioSet() { ApplyDefaults(38400, 1024); }

void frmCom::comPortNum(int16_t n) {
  if (n >= imdMinComPortNum && n <= imdmaxComPortNum) comPortNum_ = n;
}

void frmCom::lnkSettings(const std::string& text) { settings_ = text; }

void frmCom::comOpen(bool bo) {
  if (bo && !port_.isOpen()) {
    commPort_ = comPortNum_;
    settings_ = std::to_string(comBaud_) + ",N,8,1";
  }
  bool failed = false;
  // A port that is already open may still be sending the frame of the operation that just
  // ended (a live command followed at once by another): asking for it again must not drop it.
  if (!(bo && port_.isOpen())) port_.discardOutput();
  if (port_.isOpen() != bo) {
    if (bo) {
      failed = !OpenPort();
    } else {
      port_.close();
    }
  }
  if (failed && bo) {
    port_.close();
    errCannotOpen_ = true;
  }
  cln3D.Reset();
}

bool frmCom::OpenPort() {
  const std::string device = portDevices.devicePath(commPort_, profMain);
  trace_.setFile(profMain.ReadKey("TRACE", "File", ""));
  const int32_t baud = std::atoi(settings_.c_str());
  openDevice_ = device;
  if (port_.open(device, baud, kInBufferSize)) {
    trace_.note("COM" + std::to_string(commPort_) + " opened: " + device + " " + settings_);
    return true;
  }
  ReportOpenFailure(device, port_.errorText());
  return false;
}

// The message box keeps its fixed text; the reason goes where a technician or support can see it.
void frmCom::ReportOpenFailure(const std::string& device, const std::string& reason) {
  const std::string text = "COM" + std::to_string(commPort_) + " (" + device + "): " + reason;
  std::fprintf(stderr, "qxt7130-adj: %s\n", text.c_str());
  trace_.note(text);
}

bool frmCom::totalError() const { return cln3D.nowError() != 0 || errOverflow_ || errCannotOpen_; }

void frmCom::AllOver() {
  comOpen(false);
  saveData(profMain);
}

void frmCom::saveData(clsCmcProfileIO& objProf) {
  if (main_ != nullptr) main_->saveData(objProf);
}

void frmCom::loadData(clsCmcProfileIO& objProf) {
  if (main_ != nullptr) main_->loadData(objProf);
}

void frmCom::Unload() {
  comOpen(false);
  timSolidEnabled_ = false;
}

void frmCom::timSolid_Timer() {
  if (port_.bytesAvailable() > 0) {
    Bytes input = port_.takeInput();
    trace_.rx(input);
    cln3D.read(input);
  }
  cln3D.task();
  if (main_ != nullptr) main_->task();
  if (totalError() && main_ != nullptr && seq_ != nullptr) main_->MsgBoxCloneErr(*seq_);
  if (totalError() && comOpen()) comOpen(false);
}

void frmCom::OnComm(int16_t commEvent) {
  switch (commEvent) {
    case comEvReceive:
      if (port_.bytesAvailable() > 0) timSolid_Timer();
      break;
    case comEventRxOver:
      errOverflow_ = true;
      comOpen(false);
      break;
    case comEventBreak:
    case comEventCTSTO:
    case comEventDSRTO:
    case comEventFrame:
    case comEventOverrun:
    case comEventCDTO:
    case comEventRxParity:
    case comEventTxFull:
    case comEventDCB:
      cln3D.ClearRxBuffer();
      break;
    default:
      break;
  }
}

void frmCom::Output(const Bytes& data) {
  trace_.tx(data);
  port_.write(data);
}

void frmCom::onReceived() {
  if (rThreshold_ > 0 && port_.bytesAvailable() >= rThreshold_) OnComm(comEvReceive);
}

// A device that vanished cannot be used again until it is opened anew: close it and report the
// port as one that cannot be accessed, so the next tick explains it and nothing spins.
void frmCom::onDeviceLost() {
  if (!port_.isOpen()) return;
  ReportOpenFailure(openDevice_, "device lost: " + port_.errorText());
  comOpen(false);
  errCannotOpen_ = true;
}

}  // namespace qxt::link
