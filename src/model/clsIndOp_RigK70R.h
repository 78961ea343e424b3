#pragma once
// The QZ-R700's adjustment operations: the console's item table and its handlers, the command
// buttons, the object directory look-ups, and the adjustment task that connects (clone read,
// interpretation, first readouts), sends every changed value live, takes the readouts and
// runs the Enter procedures, one step per tick.

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "common/clsCmcTick.h"
#include "console/ConsoleEvents.h"
#include "console/clsConsole.h"
#include "link/IdentityHooks.h"
#include "link/MainWindowHooks.h"
#include "link/clsCmcCln3Sequence.h"
#include "link/frmCom.h"
#include "memory/clsCmcRadio.h"
#include "memory/clsIndEep_RigK70R.h"
#include "model/ActionContext.h"
#include "model/MainView.h"
#include "model/RigK70RActions.h"
#include "model/RigK70RReadouts.h"

namespace qxt::model {

class clsIndOp_RigK70R : public console::ConsoleEvents, public link::IdentityHooks, private ActionContext {
 public:
  clsIndOp_RigK70R(link::clsCmcCln3Sequence& seq, link::frmCom& com, memory::clsCmcRadio& radio,
                   console::clsConsole& console, MainView& view, const common::TickSource& ticks);

  // Who explains failures (the main window); set once everything exists.
  void setMainWindow(link::MainWindowHooks* main) { main_ = main; }

  void RigOpFunc_ResetAll();
  int16_t RigK70ROp_Table_Txf_TempBorder(int16_t Index) const;
  void RigK70ROp_Digital_Option(bool st) override { flgDigital_ = st; }
  bool RigK70RProp_Shielding() const { return !RigK70RProp_EditEnabled() && !RigK70RProp_DispPara(); }
  bool RigK70RProp_EditEnabled() const { return opState_ >= 10 && opState_ <= 28; }
  bool RigK70RProp_DispPara() const { return opState_ == 29; }
  void WaitE8Required(int32_t Wt) override { waitE8_ = Wt; }
  void RigOpFunc_FormResource();
  void RigOpFunc_FormLayout();
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

  void ReadAdGroupA(int16_t index, bool isFirst, bool& done) override;
  void ReadAdGroupB(int16_t index, bool isFirst, bool& done);

  // State, for the shell and for tests.
  int16_t opState() const { return opState_; }
  int16_t actState() const { return actions_.actState; }
  const RigK70RActions& actions() const { return actions_; }
  const RigK70RReadouts& readouts() const { return readouts_; }
  int16_t comPortNo() const { return comPortNo_; }
  bool flgMid() const { return flgMid_; }
  bool flgDigital() const { return flgDigital_; }
  bool flgReadoutReq() const { return flgReadoutReq_; }
  bool flgParaDisp() const { return flgParaDisp_; }
  int16_t chListCount() const { return chCount_; }
  int16_t chList(int16_t i) const { return chList_[static_cast<size_t>(std::clamp<int16_t>(i, 0, 40))]; }
  const std::string& lastBackup() const { return lastBackup_; }
  memory::clsIndEep_RigK70R& indEep() { return indEep_; }
  const ActionIndices& indices() const { return idx_; }

 private:
  memory::ObjectDirectory Directory() const { return memory::ObjectDirectory(radio_.eepImage()); }
  void AddItems();
  bool RunState(int16_t& next);
  void ShowProgress(int n);
  void Interpret();
  void BuildChannelList();
  bool LiveUpdate();
  void MirrorBal();
  void EnterDispatch();
  bool RunAction();
  void CancelActions();
  void RefreshPanels();
  std::string ChannelLine(console::clsConsole& con, int16_t Index, int16_t val);
  void StartAction(int16_t state);

  // ActionContext.
  console::clsConsole& Console() override { return console_; }
  bool SequencerRunning() const override { return seq_.OpRunning(); }
  int16_t LastAdA(int16_t index) const override;
  void SendLive(int16_t command, int16_t value) override;
  void WriteEeprom(int32_t adr, uint8_t value) override { radio_.eepImage().WriteByte(adr, value); }
  void Beep() override { view_.beep(); }

  link::clsCmcCln3Sequence& seq_;
  link::frmCom& com_;
  memory::clsCmcRadio& radio_;
  console::clsConsole& console_;
  MainView& view_;
  link::MainWindowHooks* main_ = nullptr;
  memory::clsIndEep_RigK70R indEep_;
  common::clsCmcTick waitTick_;
  RigK70RReadouts readouts_;
  RigK70RActions actions_;
  ActionIndices idx_;

  int16_t comPortNo_ = 1;
  int16_t opState_ = 0;
  bool flgStateEntry_ = true;
  bool flgOpError_ = false;
  bool flgReadoutReq_ = false;
  bool flgReadoutOn_ = false;
  bool flgParaDisp_ = false;
  bool flgDigital_ = false;
  bool flgMid_ = false;
  bool layoutDone_ = false;
  int32_t waitE8_ = 0;
  std::array<int16_t, 22> tempBorder_{};
  std::array<int16_t, 41> chList_{};
  int16_t chCount_ = 1;
  int16_t idxChNo_ = 0, idxBal_ = 2, idxMod_ = 3, idxBpfSweep_ = 8, idxDigMode_ = 16;
  int32_t chObjAdr_ = 0;
  int32_t rxFreqBase_ = 0;
  Bytes radioName_;
  std::string lastBackup_;
};

}  // namespace qxt::model
