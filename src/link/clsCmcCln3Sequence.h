#pragma once
// Turns the frame driver's single exchanges into operations: a clone read after identifying the
// transceiver, a live command with or without its answer, a clone write, and a bare inquiry.
// One operation at a time, one step per task pass while the driver is idle; a live command is
// written at once when the driver is idle. Every frame written is told to the frame observers
// after the write. Failures are recorded as codes and handed to the main window's error message;
// an idle open port is released after comHoldReload milliseconds.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/Bytes.h"
#include "common/clsCmcTick.h"
#include "link/FrameObserver.h"
#include "link/IdentityHooks.h"
#include "link/LiveSender.h"
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

class clsCmcCln3Sequence : public LiveSender {
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
  // The live command's data as hex text ("0B3533": command 0B, value 53): the typed way for
  // text that reads as a command and a value, the bytes as they are otherwise.
  bool easySendE8NoAnswer(const std::string& spE8) { return SendText(spE8, false); }
  bool easySendE8ReqAnswer(const std::string& spE8) { return SendText(spE8, true); }

  // LiveSender.
  bool Send(const LiveCommand& command) override { return StartLive(command, {}, false); }
  bool Ask(const LiveCommand& command) override { return StartLive(command, {}, true); }
  std::optional<LiveAnswer> TakeAnswer() override { return drv_.TakeLiveAnswer(); }
  bool Busy() const override { return OpRunning(); }
  // Who is told of each frame written.
  void AddObserver(FrameObserver* observer) { observers_.push_back(observer); }

  void setComHoldReload(int32_t t);
  int32_t comHoldReload() const { return comHoldReload_; }
  int16_t comPortNo() const { return comPortNo_; }
  void setComPortNo(int16_t n) { comPortNo_ = n; }
  // Also stops waiting for a live answer.
  void setOperation(link::Operation op);
  link::Operation operation() const { return operation_; }

  void start();
  bool OpRunning() const { return stepNo_ != 0; }
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
  bool SendText(const std::string& hexText, bool ask);
  bool StartLive(std::optional<LiveCommand> command, const Bytes& data, bool ask);
  void write(const Bytes& data, const SentFrame& frame);

  frmCom& com_;
  clsCmcCln3Drv& drv_;
  memory::clsCmcRadio& radio_;
  MainWindowHooks& main_;
  IdentityHooks& identity_;
  int16_t comPortNo_ = 1;
  link::Operation operation_ = link::Operation::kStandby;
  int16_t stepNo_ = 0;
  std::optional<LiveCommand> live_;  // the command to send, made from its values
  Bytes liveData_;                   // or the command's bytes as a caller gave them
  bool e8AnsRequired_ = false;
  std::vector<FrameObserver*> observers_;
  int32_t comHoldReload_ = 0;
  common::clsCmcTick tickHold_;
  SequencerError error_ = SequencerError::kNone;
};

}  // namespace qxt::link
