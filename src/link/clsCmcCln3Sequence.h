#pragma once
// Turns the frame driver's single exchanges into operations: a clone read after identifying the
// transceiver, a live command with or without its answer, and (present, started by nothing) a
// clone write and a bare inquiry. One operation at a time, one step per task pass while the
// driver is idle. Failures are recorded as codes and handed to the main window's error message;
// an idle open port is released after comHoldReload milliseconds.

#include <cstdint>
#include <string>

#include "common/Bytes.h"
#include "common/LiveCommandSender.h"
#include "common/clsCmcTick.h"
#include "link/IdentityHooks.h"
#include "link/MainWindowHooks.h"
#include "link/frmCom.h"
#include "memory/clsCmcRadio.h"

namespace qxt::link {

class clsCmcCln3Sequence : public common::LiveCommandSender {
 public:
  // Operations.
  static constexpr int16_t kStandby = 0, kInquiry = 1, kCloneRead = 2, kCloneWrite = 3, kLiveCommand = 4;
  // Sequencer error codes.
  static constexpr int16_t kModelDiffers = 1, kSubRefused = 2, kNotCompatible = 3, kDriverFailed = 4;

  clsCmcCln3Sequence(frmCom& com, memory::clsCmcRadio& radio, const common::TickSource& ticks);

  void setHooks(MainWindowHooks* main, IdentityHooks* identity) {
    main_ = main;
    identity_ = identity;
  }

  void Reset();
  void Standby();
  void easyReset(int16_t portNo);
  void easyCloneRead();
  void easyCloneWrite();
  bool easySendE8NoAnswer(const std::string& spE8) override;
  bool easySendE8ReqAnswer(const std::string& spE8) override;

  void comHoldReload(int32_t t);
  int32_t comHoldReload() const { return comHoldReload_; }
  int16_t ComPortNo() const { return comPortNo_; }
  void ComPortNo(int16_t n) { comPortNo_ = n; }
  void Operation(int16_t op);
  int16_t Operation() const { return operation_; }
  void e8HexStrToSend(const std::string& text) { e8HexStrToSend_ = text; }
  const std::string& e8HexStrToSend() const { return e8HexStrToSend_; }
  void e8AnsRequired(bool v) { e8AnsRequired_ = v; }

  void start();
  bool OpRunning() const override { return stepNo_ != 0; }
  int16_t error() const { return error_; }
  int16_t stepNo() const { return stepNo_; }
  int16_t nextAction() const { return nextAction_; }

  const Bytes& ansInfo() const { return com_.cln3D.ansInfo(); }
  std::string ansNameM() const;
  std::string ansNameS() const;
  int16_t ansDigOp() const;

  void task();

 private:
  int16_t chooseAction();
  void identify();
  void doAction(int16_t action);
  void prepareLink();
  void sendHex(const std::string& hexText);

  frmCom& com_;
  memory::clsCmcRadio& radio_;
  MainWindowHooks* main_ = nullptr;
  IdentityHooks* identity_ = nullptr;
  int16_t comPortNo_ = 1;
  int16_t operation_ = 0;
  int16_t stepNo_ = 0;
  int16_t nextAction_ = 0;
  std::string e8HexStrToSend_;
  bool e8AnsRequired_ = false;
  int32_t comHoldReload_ = 0;
  common::clsCmcTick tickHold_;
  int16_t error_ = 0;
};

}  // namespace qxt::link
