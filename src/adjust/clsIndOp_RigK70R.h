#pragma once
// The QZ-R700's adjustment operations: the entry points the shell and the console call (reset,
// buttons, options, the console handlers, the object directory look-ups, restore, revert and
// undo) and the adjustment task that runs the connection sequence, the steady cycle and the
// Enter procedures, one step per tick. The jobs themselves live in the parts it owns.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "adjust/ActionContext.h"
#include "adjust/AlignAll.h"
#include "adjust/BenchGenerator.h"
#include "adjust/ChannelList.h"
#include "adjust/ConnectSequence.h"
#include "adjust/ConsoleLines.h"
#include "adjust/ItemTable.h"
#include "adjust/LiveUpdate.h"
#include "adjust/OpState.h"
#include "adjust/Procedures.h"
#include "adjust/PutBack.h"
#include "adjust/Readouts.h"
#include "adjust/RestoreWrite.h"
#include "adjust/Revert.h"
#include "adjust/SessionLog.h"
#include "adjust/SteadyCycle.h"
#include "adjust/TaskHooks.h"
#include "adjust/TaskObserver.h"
#include "adjust/TaskView.h"
#include "adjust/TransferProgress.h"
#include "common/Translate.h"
#include "common/clsCmcTick.h"
#include "console/ConsoleEvents.h"
#include "console/clsConsole.h"
#include "link/IdentityHooks.h"
#include "link/MainWindowHooks.h"
#include "link/clsCmcCln3Sequence.h"
#include "memory/ObjectDirectory.h"
#include "memory/clsCmcRadio.h"
#include "memory/clsIndEep_RigK70R.h"

namespace qxt::adjust {

class clsIndOp_RigK70R : public console::ConsoleEvents,
                         public link::IdentityHooks,
                         private ActionContext,
                         private TaskHooks {
 public:
  // main explains failures; the console shows its items in view's console list.
  // Every live command without answer goes out through keeper, which records it.
  clsIndOp_RigK70R(link::clsCmcCln3Sequence& seq, SessionLog& keeper, memory::clsCmcRadio& radio, TaskView& view,
                   const common::TickSource& ticks, link::MainWindowHooks& main);

  console::clsConsole& console() { return console_; }
  const console::clsConsole& console() const { return console_; }

  void RigOpFunc_ResetAll();
  int16_t RigK70ROp_Table_Txf_TempBorder(int16_t Index) const;
  void RigK70ROp_Digital_Option(bool st) override { flgDigital_ = st; }
  bool RigK70RProp_Shielding() const { return !RigK70RProp_EditEnabled() && !RigK70RProp_DispPara(); }
  bool RigK70RProp_EditEnabled() const { return InRange(opState_, OpState::kCycleStart, OpState::kCycleEnd); }
  bool RigK70RProp_DispPara() const { return opState_ == OpState::kParamDisplay; }
  void WaitE8Required(int32_t Wt) override { waitE8_ = Wt; }
  void RigOpFunc_FormResource();
  bool RigOpFunc_CheckSubNameLegal(const std::string& nameS) override;
  void RigOpFunc_SetComPortNo(int16_t portNo);
  void RigOpFunc_ClickCmd00(int16_t Index);
  int32_t RigK70RFunc_Ptbl_Search(int32_t obj) const { return Directory().Ptbl_Search(obj); }
  int32_t RigK70RFunc_Obj_Address(int32_t obj) const { return Directory().Obj_Address(obj); }
  int32_t RigK70RFunc_Obj_Number(int32_t obj) const { return Directory().Obj_Number(obj); }
  int32_t RigK70RFunc_Obj_Size(int32_t obj) const { return Directory().Obj_Size(obj); }
  void task();

  std::string ConsEv_Disp(console::clsConsole& objConsole, int16_t Index, int16_t evNo, int16_t val) override;
  void ConsEv_SendE8(console::clsConsole& objConsole, int16_t Index, int16_t evNo, int16_t val) override;
  void ConsEv_Enter(console::clsConsole& objConsole, int16_t Index, int16_t evNo, int16_t val) override;

  void ReadAdGroupA(int16_t index, bool isFirst, bool& done) { done = ReadA(index, isFirst); }
  void ReadAdGroupB(int16_t index, bool isFirst, bool& done) { done = ReadB(index, isFirst); }

  // Writes an image file into the radio and checks it with a read; the reason when it cannot
  // start (not connected, a procedure running, not an image of this radio).
  std::optional<std::string> StartRestore(const Bytes& file, const std::string& path = "");
  // Why a restore of file could not start now (StartRestore's refusals, nothing recorded).
  std::optional<std::string> RestoreRefusal(const Bytes& file) const;
  void CancelRestore() { restore_.Cancel(); }
  bool restoring() const { return restore_.phase() != RestoreWrite::Phase::kIdle; }
  // Every item back to the image as read at Connect, or the last change by key undone; refused
  // (with a notice) before a connection and while a procedure or a restore runs.
  bool RevertToRead();
  bool Undo();
  // A key is about to step item: what it shows now is kept for Undo.
  void RememberKeyChange(int16_t item);
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
  const Bytes& imageAsRead() const { return revert_.asRead(); }

  // Where the task is, for the shell and for tests.
  OpState opState() const { return opState_; }
  bool isIdle() const { return opState_ == OpState::kIdle && !restoring(); }
  // Connected, and the steady cycle has come round to its end with nothing left for this tick.
  bool isSteady() const { return opState_ == OpState::kCycleEnd; }
  // The radio streams its image, or takes one: "Connect" waits.
  bool streaming() const;
  ActState actState() const { return actions_.actState(); }
  const Procedures& actions() const { return actions_; }
  const Readouts& readouts() const { return readouts_; }
  const RestoreWrite& restore() const { return restore_; }
  int16_t comPortNo() const { return comPortNo_; }
  bool flgMid() const { return connection_.flgMid(); }
  bool flgDigital() const { return flgDigital_; }
  bool flgReadoutReq() const { return cycle_.flgReadoutReq(); }
  bool flgParaDisp() const { return cycle_.flgParaDisp(); }
  int16_t chListCount() const { return channels_.chListCount(); }
  int16_t chList(int16_t i) const { return channels_.chList(i); }
  const std::string& lastBackup() const { return connection_.lastBackup(); }
  memory::clsIndEep_RigK70R& indEep() { return indEep_; }
  const ItemIndices& indices() const { return idx_; }
  // Who is told of the procedures' points and the readouts (the record, the plot panel).
  TaskObservers& observers() { return observers_; }
  // The bench generator the procedures set their signal with.
  BenchGenerator& generator() { return bench_; }
  // Align all: the procedures of titles one after the other, unattended, once the Connect the
  // caller presses next has ended. The reason when it cannot start, else "".
  std::string StartAlignAll(const std::vector<std::string>& titles);
  AlignAll& alignAll() { return align_; }
  const AlignAll& alignAll() const { return align_; }
  // Values a procedure changed are still on their way back into the radio.
  bool puttingBack() const { return !putBack_.empty(); }

 private:
  memory::ObjectDirectory Directory() const { return memory::ObjectDirectory(radio_.eepImage()); }
  bool RunState(OpState& next);
  void ShowCloneReadProgress();
  void RunRestoreWrite();
  bool Adjustable(const std::string& what);
  void RecordRestore();
  void ReportRestore();
  void RefreshPanels();

  // ActionContext and TaskHooks.
  console::clsConsole& Console() override { return console_; }
  const ItemIndices& Indices() const override { return idx_; }
  bool SequencerRunning() const override { return seq_.OpRunning(); }
  bool ReadA(int16_t index, bool isFirst) override;
  bool ReadB(int16_t index, bool isFirst) override;
  int16_t LastAdA(int16_t index) const override { return readouts_.lastAdA(index); }
  void SendLive(int16_t command, int16_t value) override;
  void WriteEeprom(int32_t adr, uint8_t value) override { radio_.eepImage().WriteByte(adr, value); }
  int16_t EepromByte(int32_t adr) const override { return radio_.eepImage().ReadByte(adr); }
  void Beep() override { view_.beep(); }
  void PutBackItem(int16_t item, int16_t value) override;
  void PutBackByte(int16_t command, int32_t address, uint8_t value) override;
  bool RunAction() override;
  void CancelActions() override;
  void Notice(const std::string& text) override;
  void Warn(const std::string& text) override;
  bool CheckingRestore() const override { return restore_.phase() == RestoreWrite::Phase::kVerifying; }
  TaskObserver& Observer() override { return observers_; }
  BenchGenerator& Generator() override { return bench_; }
  int64_t ChannelRxHz() const override;
  void StepAlignAll();

  link::clsCmcCln3Sequence& seq_;
  SessionLog& keeper_;
  const link::clsCmcCln3Drv& drv_;
  memory::clsCmcRadio& radio_;
  TaskView& view_;
  link::MainWindowHooks& main_;
  const common::TickSource& ticks_;
  TaskObservers observers_;
  BenchGenerator bench_;
  AlignAll align_;
  memory::clsIndEep_RigK70R indEep_;
  common::clsCmcTick waitTick_;
  console::clsConsole console_;
  ItemIndices idx_;
  Readouts readouts_;
  Procedures actions_;
  ChannelList channels_;
  ConsoleLines lines_;
  LiveUpdate liveUpdate_;
  SteadyCycle cycle_;
  ConnectSequence connection_;
  PutBack putBack_;
  RestoreWrite restore_;
  Revert revert_;
  TransferProgress progress_;

  int16_t comPortNo_ = 1;
  OpState opState_ = OpState::kIdle;
  bool flgStateEntry_ = true;
  bool flgOpError_ = false;
  bool flgDigital_ = false;
  bool ending_ = false;
  int32_t waitE8_ = 0;
  std::array<int16_t, 22> tempBorder_{};
  record::SendReason connectReason_ = record::SendReason::kConnect;
  std::string restoreFile_;
};

}  // namespace qxt::adjust
