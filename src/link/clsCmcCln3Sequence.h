#pragma once
// Turns the frame driver's single exchanges into operations: a clone read after identifying the
// transceiver, a live command with or without its answer, a clone write, and a bare inquiry.
// One operation at a time, one step per task pass while the driver is idle. Failures are
// recorded as codes and handed to the main window's error message; an idle open port is
// released after comHoldReload milliseconds.

#include <cstdint>
#include <string>

#include "common/Bytes.h"
#include "common/LiveCommandSender.h"
#include "common/clsCmcTick.h"
#include "link/IdentityHooks.h"
#include "link/MainWindowHooks.h"
#include "link/SequencerError.h"
#include "link/frmCom.h"
#include "memory/clsCmcRadio.h"

namespace qxt::link {

enum class Operation : int16_t {
  kStandby = 0,
  kInquiry = 1,
  kCloneRead = 2,
  kCloneWrite = 3,
  kLiveCommand = 4,
};

class clsCmcCln3Sequence : public common::LiveCommandSender {
 public:
  clsCmcCln3Sequence(frmCom& com, memory::clsCmcRadio& radio, const common::TickSource& ticks, MainWindowHooks& main,
                     IdentityHooks& identity);

  void Reset();
  void Standby();
  void easyReset(int16_t portNo);
  void easyCloneRead();
  void easyCloneWrite();
  // Stops a running clone write after the block whose echo is awaited (the radio partly written).
  void CancelCloneWrite() { drv_.CancelCloneWrite(); }
  bool easySendE8NoAnswer(const std::string& spE8) override;
  bool easySendE8ReqAnswer(const std::string& spE8) override;

  void comHoldReload(int32_t t);
  int32_t comHoldReload() const { return comHoldReload_; }
  int16_t ComPortNo() const { return comPortNo_; }
  void ComPortNo(int16_t n) { comPortNo_ = n; }
  // Also stops waiting for a live answer.
  void Operation(link::Operation op);
  link::Operation Operation() const { return operation_; }
  void e8HexStrToSend(const std::string& text) { e8HexStrToSend_ = text; }
  const std::string& e8HexStrToSend() const { return e8HexStrToSend_; }
  void e8AnsRequired(bool v) { e8AnsRequired_ = v; }

  void start();
  bool OpRunning() const override { return stepNo_ != 0; }
  SequencerError error() const { return error_; }
  int16_t stepNo() const { return stepNo_; }

  // The driver of the port the sequencer works through.
  const clsCmcCln3Drv& driver() const { return drv_; }
  const Bytes& ansInfo() const { return drv_.ansInfo(); }
  std::string ansNameM() const;
  std::string ansNameS() const;
  int16_t ansDigOp() const;

  void task();

 private:
  // What one pass may start.
  enum class Action : int16_t {
    kNothing = 0,
    kSendInquiry = 1,
    kSendCloneRead = 2,
    kSendCloneWrite = 3,
    kSendLive = 4,
    kFail = 5,
    kFinish = 6,
  };

  Action chooseAction();
  void identify();
  void doAction(Action action);
  void prepareLink();
  void sendHex(const std::string& hexText);

  frmCom& com_;
  clsCmcCln3Drv& drv_;
  memory::clsCmcRadio& radio_;
  MainWindowHooks& main_;
  IdentityHooks& identity_;
  int16_t comPortNo_ = 1;
  link::Operation operation_ = link::Operation::kStandby;
  int16_t stepNo_ = 0;
  std::string e8HexStrToSend_;
  bool e8AnsRequired_ = false;
  int32_t comHoldReload_ = 0;
  common::clsCmcTick tickHold_;
  SequencerError error_ = SequencerError::kNone;
};

}  // namespace qxt::link
