#pragma once
// The adjustment task: one pass per heartbeat. Before the state machine runs, whatever must go
// first has its turn (the bench generator, Align all, a restore's write, a frame under way, the
// values a procedure puts back, the pause a live command asks for); then the machine runs the
// connection sequence or the steady cycle until a state has to wait or the cycle has come round.
// The parts do the work of the states; this object owns them, the machine and the way the
// technician's buttons, keys and Enter reach them.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "adjust/ActionContext.h"
#include "adjust/AlignAll.h"
#include "adjust/BenchGenerator.h"
#include "adjust/ChannelList.h"
#include "adjust/ConnectSequence.h"
#include "adjust/LiveUpdate.h"
#include "adjust/Procedures.h"
#include "adjust/PutBack.h"
#include "adjust/Readouts.h"
#include "adjust/ReasonedSender.h"
#include "adjust/RestoreControl.h"
#include "adjust/Revert.h"
#include "adjust/SessionLog.h"
#include "adjust/SteadyCycle.h"
#include "adjust/TaskHooks.h"
#include "adjust/TaskMachine.h"
#include "adjust/TaskObserver.h"
#include "adjust/TaskView.h"
#include "adjust/TransferProgress.h"
#include "common/Common.h"
#include "common/MessageBox.h"
#include "common/Translate.h"
#include "common/clsCmcTick.h"
#include "console/ConsoleEvents.h"
#include "console/clsConsole.h"
#include "link/MainWindowHooks.h"
#include "link/clsCmcCln3Sequence.h"
#include "memory/clsCmcRadio.h"
#include "memory/clsIndEep_RigK70R.h"

namespace qxt::adjust {

// The command buttons cmd00(0..2).
enum class Button : int16_t { kConnect = 0, kReload = 1, kDispPara = 2 };

class AdjustTask : private ActionContext, private TaskHooks {
 public:
  AdjustTask(link::clsCmcCln3Sequence& seq, SessionLog& keeper, memory::clsCmcRadio& radio, TaskView& view,
             const common::TickSource& ticks, link::MainWindowHooks& main, console::ConsoleEvents& events);

  // One pass of the task.
  void Tick();
  // Back to idle with the items of an empty console; a procedure or restore under way is ended.
  void Reset();
  void Press(Button button);

  // Enter on a procedure's line, as the console's event evNo.
  void EnterPressed(int16_t index, int16_t evNo) {
    actions_.Enter(static_cast<EnterEvent>(evNo), index, [this] { CancelActions(); });
  }

  console::clsConsole& console() { return console_; }
  const console::clsConsole& console() const { return console_; }
  OpState opState() const { return machine_.state(); }
  bool editEnabled() const { return InRange(opState(), OpState::kCycleStart, OpState::kCycleEnd); }
  bool paramDisplayed() const { return opState() == OpState::kParamDisplay; }
  bool isIdle() const { return opState() == OpState::kIdle && !restoring(); }
  // Connected, and the steady cycle has come round to its end with nothing left for this tick.
  bool isSteady() const { return opState() == OpState::kCycleEnd; }
  // The radio streams its image, or takes one: "Connect" waits.
  bool streaming() const;
  bool restoring() const { return restore_.phase() != RestoreWrite::Phase::kIdle; }
  // Values a procedure changed are still on their way back into the radio.
  bool puttingBack() const { return !putBack_.empty(); }

  // The radio's digital option, and the pause a live command asks for after it.
  void SetDigital(bool on) { flgDigital_ = on; }
  bool flgDigital() const { return flgDigital_; }
  void WaitAfterSend(int32_t ms) { waitE8_ = ms; }
  // The port the next reset starts the link on.
  void UsePort(int16_t portNo) { comPortNo_ = portNo; }
  int16_t comPortNo() const { return comPortNo_; }

  // Writes an image file into the radio and checks it with a read; the reason when it cannot
  // start (not connected, a procedure running, not an image of this radio).
  std::optional<std::string> StartRestore(const Bytes& file, const std::string& path = "");
  // Why a restore of file could not start now (StartRestore's refusals, nothing recorded).
  std::optional<std::string> RestoreRefusal(const Bytes& file) const;
  void CancelRestore() { restore_.Cancel(); }
  const RestoreWrite& restore() const { return restore_.write(); }
  // Every item back to the image as read at Connect, or the last change by key undone; refused
  // (with a notice) before a connection and while a procedure or a restore runs.
  bool RevertToRead();
  bool Undo();
  // A key is about to step item: what it shows now is kept for Undo.
  void RememberKeyChange(int16_t item);
  const Bytes& imageAsRead() const { return revert_.asRead(); }

  // What waits to be put back cannot be (the link failed, the program ends); returns its names,
  // also shown and recorded with why.
  std::vector<std::string> DropPutBack(const std::string& why = common::TrNoop("qxt", "the link having failed"));
  // An orderly end of the program: a running procedure is cancelled as a button cancels it (its
  // values put back), a restore stops after the block under way; nothing new starts after.
  void BeginEnd();
  // Everything to be put back is in the radio and no restore writes: the port may close.
  bool EndReady() const;
  // The end has come, ready or not: what is still to be put back is named as left in the radio,
  // and a restore still under way is recorded as cut off.
  void EndNow();

  // Align all: the procedures of titles one after the other, unattended, once the Connect the
  // caller presses next has ended. The reason when it cannot start, else "".
  std::string StartAlignAll(const std::vector<std::string>& titles);
  AlignAll& alignAll() { return align_; }
  const AlignAll& alignAll() const { return align_; }
  // The bench generator the procedures set their signal with.
  BenchGenerator& generator() { return bench_; }
  // Who is told of the procedures' points and the readouts (the record, the plot panel).
  TaskObservers& observers() { return observers_; }

  ActState actState() const { return actions_.actState(); }
  const Procedures& actions() const { return actions_; }
  const Readouts& readouts() const { return readouts_; }
  const ChannelList& channels() const { return channels_; }
  const SteadyCycle& cycle() const { return cycle_; }
  const ConnectSequence& connection() const { return connection_; }
  // The task's way to the radio: every live command leaves with why it is sent.
  link::LiveSender& sender() { return sender_; }

 private:
  bool PreemptsMachine();
  void RunMachine();
  Step RunState();
  void RunRestoreWrite();
  bool Adjustable(const std::string& what);
  void Refresh() { ShowPanels(view_, editEnabled(), paramDisplayed(), streaming()); }
  void StepAlignAll();

  // ActionContext and TaskHooks: what the parts and procedures ask of the task.
  console::clsConsole& Console() override { return console_; }
  bool SequencerRunning() const override { return seq_.OpRunning(); }
  bool ReadA(int16_t index, bool isFirst) override { return Read(ReadoutGroup::kA, index, isFirst); }
  bool ReadB(int16_t index, bool isFirst) override { return Read(ReadoutGroup::kB, index, isFirst); }
  bool Read(ReadoutGroup group, int16_t index, bool isFirst);
  int16_t LastAdA(int16_t index) const override { return readouts_.lastAdA(index); }
  void SendLive(int16_t command, int16_t value) override {
    sender_.Send({static_cast<uint8_t>(command), static_cast<uint8_t>(value & 0xFF), std::nullopt});
  }
  void WriteEeprom(int32_t adr, uint8_t value) override { radio_.eepImage().WriteByte(adr, value); }
  int16_t EepromByte(int32_t adr) const override { return radio_.eepImage().ReadByte(adr); }
  void Beep() override { view_.beep(); }
  void PutBackItem(int16_t item, int16_t value) override { putBack_.AddItem(console_, item, value); }
  void PutBackByte(int16_t command, int32_t address, uint8_t value) override {
    putBack_.AddRssiPoint(command, address, value);
  }
  bool RunAction() override;
  void CancelActions() override;
  void Notice(const std::string& text) override {
    view_.showNotice(text);
    keeper_.Message("notice", text);
  }
  void Warn(const std::string& text) override {
    view_.showNotice(text);
    keeper_.Message("warning", text);
    common::MsgBoxWarning(text);
  }
  bool CheckingRestore() const override { return restore_.checking(); }
  TaskObserver& Observer() override { return observers_; }
  BenchGenerator& Generator() override { return bench_; }
  int64_t ChannelRxHz() const override;

  link::clsCmcCln3Sequence& seq_;
  SessionLog& keeper_;
  ReasonedSender sender_;
  const link::clsCmcCln3Drv& drv_;
  memory::clsCmcRadio& radio_;
  TaskView& view_;
  link::MainWindowHooks& main_;
  const common::TickSource& ticks_;
  TaskMachine machine_;
  TaskObservers observers_;
  BenchGenerator bench_;
  AlignAll align_;
  memory::clsIndEep_RigK70R indEep_;
  common::clsCmcTick waitTick_;
  console::clsConsole console_;
  Readouts readouts_;
  Procedures actions_;
  ChannelList channels_;
  LiveUpdate liveUpdate_;
  SteadyCycle cycle_;
  ConnectSequence connection_;
  PutBack putBack_;
  Revert revert_;
  TransferProgress progress_;
  RestoreControl restore_;

  int16_t comPortNo_ = 1;
  // A readout answer that made no sense: the exchange itself went wrong.
  std::optional<link::LinkFailure> readoutFailure_;
  bool flgDigital_ = false;
  bool ending_ = false;
  int32_t waitE8_ = 0;
  record::SendReason connectReason_ = record::SendReason::kConnect;
};

}  // namespace qxt::adjust
