#include "link/frmCom.h"

#include <cstdio>
#include <cstdlib>

#include "common/Common.h"

namespace qxt::link {

frmCom::frmCom(SerialPort& port, const common::TickSource& ticks, const common::OptionsFile& options,
               MainWindowHooks& main)
    : port_(port), options_(options), main_(main), cln3D_(*this, ticks), trace_(ticks) {
  port_.setListener(this);
  trace_.onTrouble([this](const std::string& text) { main_.notice(text); });
  Reset();
}

frmCom::~frmCom() { port_.setListener(nullptr); }

void frmCom::ApplyDefaults(int32_t baud, int32_t threshold) {
  setComOpen(false);
  comPortNum_ = 1;
  comBaud_ = baud;
  rThreshold_ = threshold;
  errCannotOpen_ = false;
  errOverflow_ = false;
  portFailure_.reset();
}

void frmCom::Reset() { ApplyDefaults(9600, 1); }

void frmCom::HighSpeedBRatioSet() { ApplyDefaults(38400, 1024); }

void frmCom::setComPortNum(int16_t n) {
  if (n >= imdMinComPortNum && n <= imdmaxComPortNum) comPortNum_ = n;
}

void frmCom::setComOpen(bool bo) {
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
    portFailure_ = LinkFailure::CannotOpen(commPort_, failure_);
  }
  cln3D_.Reset();
}

bool frmCom::OpenPort() {
  const std::string device = portDevices_.devicePath(commPort_, options_);
  trace_.setFile(options_.ReadKey("TRACE", "File", ""));
  const int32_t baud = std::atoi(settings_.c_str());
  openDevice_ = device;
  if (port_.open(device, baud, kInBufferSize)) {
    failure_.clear();
    trace_.note("COM" + std::to_string(commPort_) + " opened: " + device + " " + settings_);
    return true;
  }
  ReportOpenFailure(device, port_.errorText());
  return false;
}

// The message box keeps its fixed text; the reason goes into its details, and into the trace.
void frmCom::ReportOpenFailure(const std::string& device, const std::string& reason) {
  failure_ = "COM" + std::to_string(commPort_) + " (" + device + "): " + reason;
  trace_.note(failure_);
}

std::optional<LinkFailure> frmCom::failure() const {
  if (portFailure_) return portFailure_;
  return cln3D_.failure();
}

bool frmCom::totalError() const { return cln3D_.nowError() != DriverError::kNone || errOverflow_ || errCannotOpen_; }

void frmCom::AllOver() {
  setComOpen(false);
  main_.saveAllData();
}

void frmCom::Unload() {
  setComOpen(false);
  timSolidEnabled_ = false;
}

void frmCom::timSolid_Timer() {
  if (port_.bytesAvailable() > 0) {
    const Bytes input = port_.takeInput();
    trace_.rx(input);
    cln3D_.read(input);
  }
  cln3D_.task();
  main_.task();
  if (totalError()) main_.MsgBoxCloneErr(*failure());
  if (totalError() && comOpen()) setComOpen(false);
}

void frmCom::OnComm(CommEvent commEvent) {
  switch (commEvent) {
    case CommEvent::kReceive:
      if (port_.bytesAvailable() > 0) timSolid_Timer();
      break;
    case CommEvent::kRxOver:
      errOverflow_ = true;
      if (!portFailure_) portFailure_ = LinkFailure::Overflow();
      setComOpen(false);
      break;
    case CommEvent::kBreak:
    case CommEvent::kCtsTimeout:
    case CommEvent::kDsrTimeout:
    case CommEvent::kFrame:
    case CommEvent::kOverrun:
    case CommEvent::kCdTimeout:
    case CommEvent::kRxParity:
    case CommEvent::kTxFull:
    case CommEvent::kDcb:
      cln3D_.ClearRxBuffer();
      break;
  }
}

void frmCom::Output(const Bytes& data) {
  trace_.tx(data);
  port_.write(data);
}

void frmCom::onReceived() {
  if (rThreshold_ > 0 && port_.bytesAvailable() >= rThreshold_) OnComm(CommEvent::kReceive);
}

// A device that vanished cannot be used again until it is opened anew: close it and report the
// port as one that cannot be accessed, so the next tick explains it and nothing spins.
void frmCom::onDeviceLost() {
  if (!port_.isOpen()) return;
  ReportOpenFailure(openDevice_, "device lost: " + port_.errorText());
  setComOpen(false);
  errCannotOpen_ = true;
  portFailure_ = LinkFailure::CannotOpen(commPort_, failure_);
}

}  // namespace qxt::link
