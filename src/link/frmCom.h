#pragma once
// The serial-port owner and the program's heartbeat: it opens and closes the COM port, hands
// every chunk of received bytes to the frame driver, and on each tick runs the driver's and the
// main window's periodic work in a fixed order. It collects the port faults (cannot open,
// receive overflow) and, with the driver's current error, turns them into one flag the tick
// checks. The 50 ms timer itself is the shell's; it calls timSolid_Timer while enabled.

#include <cstdint>
#include <optional>
#include <string>

#include "common/OptionsFile.h"
#include "link/DriverPort.h"
#include "link/MainWindowHooks.h"
#include "link/PortDeviceMap.h"
#include "link/ProtocolTrace.h"
#include "link/SerialPort.h"
#include "link/clsCmcCln3Drv.h"

namespace qxt::link {

// Communication events of the port.
enum class CommEvent : int16_t {
  kReceive = 2,
  kBreak = 1001,
  kCtsTimeout = 1002,
  kDsrTimeout = 1003,
  kFrame = 1004,
  kOverrun = 1006,
  kCdTimeout = 1007,
  kRxOver = 1008,
  kRxParity = 1009,
  kTxFull = 1010,
  kDcb = 1011,
};

class frmCom : public DriverPort, public SerialPortListener {
 public:
  static constexpr int16_t imdMinComPortNum = 1;
  static constexpr int16_t imdmaxComPortNum = 10;
  static constexpr int32_t kInBufferSize = 32760;
  static constexpr int32_t kOutBufferSize = 1024;
  static constexpr int32_t kTimerInterval = 50;

  // options: the file that maps ports to devices ([PORTS]) and names the trace ([TRACE]).
  frmCom(SerialPort& port, const common::TickSource& ticks, const common::OptionsFile& options, MainWindowHooks& main);
  ~frmCom() override;
  frmCom(const frmCom&) = delete;
  frmCom& operator=(const frmCom&) = delete;

  clsCmcCln3Drv& cln3D() { return cln3D_; }
  const clsCmcCln3Drv& cln3D() const { return cln3D_; }
  PortDeviceMap& portDevices() { return portDevices_; }
  // The device that COM port opens.
  std::string DevicePath(int16_t port) const { return portDevices_.devicePath(port, options_); }
  bool PortMapped(int16_t port) const { return portDevices_.mapped(port, options_); }
  int16_t PortNumberFor(const std::string& path) const { return portDevices_.numberFor(path, options_); }

  void Reset();
  void HighSpeedBRatioSet();

  bool comOpen() const { return port_.isOpen(); }
  void setComOpen(bool bo);
  bool comSendEnable() const override { return comOpen(); }
  int16_t comPortNum() const { return comPortNum_; }
  // A number outside imdMinComPortNum..imdmaxComPortNum is ignored.
  void setComPortNum(int16_t n);
  int32_t comBaud() const { return comBaud_; }
  void setComBaud(int32_t baud) { comBaud_ = baud; }
  // The settings text of the port ("9600,N,8,1").
  void lnkSettings(const std::string& text) { settings_ = text; }
  const std::string& Settings() const { return settings_; }

  bool errOverflow() const { return errOverflow_; }
  bool errCannotOpen() const { return errCannotOpen_; }
  // The failure of the port (cannot open, lost, overflow) as made when it happened, else the
  // frame driver's; a port failure hides the driver's, as the port is what broke first.
  std::optional<LinkFailure> failure() const;
  bool totalError() const;

  // Shut-down: the port closed, then the options saved.
  void AllOver();
  void Unload();

  bool timSolidEnabled() const { return timSolidEnabled_; }
  void setTimSolidEnabled(bool on) { timSolidEnabled_ = on; }
  // One tick: received bytes to the driver, driver task, main task, error report.
  void timSolid_Timer();
  void OnComm(CommEvent commEvent);

  int32_t OutBufferSize() const override { return kOutBufferSize; }
  int32_t OutBufferCount() const override { return port_.bytesToWrite(); }
  void Output(const Bytes& data) override;

  ProtocolTrace& trace() { return trace_; }
  int32_t rThreshold() const { return rThreshold_; }

 private:
  void onReceived() override;
  void onOverflow() override { OnComm(CommEvent::kRxOver); }
  void onLineError() override { OnComm(CommEvent::kFrame); }
  void onDeviceLost() override;
  void ApplyDefaults(int32_t baud, int32_t threshold);
  bool OpenPort();
  void ReportOpenFailure(const std::string& device, const std::string& reason);
  // Why the port could not be opened or was lost ("COM1 (/dev/ttyUSB0): no such device").
  std::string failure_;
  std::optional<LinkFailure> portFailure_;

  SerialPort& port_;
  const common::OptionsFile& options_;
  MainWindowHooks& main_;
  clsCmcCln3Drv cln3D_;
  PortDeviceMap portDevices_;
  ProtocolTrace trace_;
  int16_t comPortNum_ = 1;
  int32_t comBaud_ = 9600;
  int16_t commPort_ = 1;
  std::string openDevice_;
  std::string settings_ = "9600,N,8,1";
  int32_t rThreshold_ = 1;
  bool errOverflow_ = false;
  bool errCannotOpen_ = false;
  bool timSolidEnabled_ = false;
};

}  // namespace qxt::link
