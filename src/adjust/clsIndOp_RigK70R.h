#pragma once
// The QZ-R700's adjustment operations as the shell, the console and the link call them: reset,
// the buttons, the port, the radio's options, the console's events and the object directory
// look-ups. The work itself is the adjustment task's (work()): its state machine, its parts, and
// restore, revert, undo, Align all and the orderly end.

#include <array>
#include <cstdint>
#include <string>

#include "adjust/AdjustTask.h"
#include "adjust/ConsoleLines.h"
#include "adjust/SessionLog.h"
#include "adjust/TaskView.h"
#include "common/TickSource.h"
#include "console/ConsoleEvents.h"
#include "console/clsConsole.h"
#include "link/IdentityHooks.h"
#include "link/MainWindowHooks.h"
#include "link/clsCmcCln3Sequence.h"
#include "memory/ObjectDirectory.h"
#include "memory/clsCmcRadio.h"

namespace qxt::adjust {

class clsIndOp_RigK70R : public console::ConsoleEvents, public link::IdentityHooks {
 public:
  // main explains failures; the console shows its items in view's console list; keeper hears
  // what the task has to say to the service record.
  clsIndOp_RigK70R(link::clsCmcCln3Sequence& seq, SessionLog& keeper, memory::clsCmcRadio& radio, TaskView& view,
                   const common::TickSource& ticks, link::MainWindowHooks& main);

  AdjustTask& work() { return task_; }
  const AdjustTask& work() const { return task_; }
  console::clsConsole& console() { return task_.console(); }
  const console::clsConsole& console() const { return task_.console(); }

  void RigOpFunc_ResetAll() { task_.Reset(); }
  void RigOpFunc_FormResource() { Dress(view_); }
  void RigOpFunc_SetComPortNo(int16_t portNo);
  void RigOpFunc_ClickCmd00(int16_t Index) { task_.Press(static_cast<Button>(Index)); }
  bool RigOpFunc_CheckSubNameLegal(const std::string& nameS) override;
  void RigK70ROp_Digital_Option(bool st) override { task_.SetDigital(st); }
  void WaitE8Required(int32_t Wt) override { task_.WaitAfterSend(Wt); }
  int16_t RigK70ROp_Table_Txf_TempBorder(int16_t Index) const;
  bool RigK70RProp_Shielding() const { return !RigK70RProp_EditEnabled() && !RigK70RProp_DispPara(); }
  bool RigK70RProp_EditEnabled() const { return task_.editEnabled(); }
  bool RigK70RProp_DispPara() const { return task_.paramDisplayed(); }
  int32_t RigK70RFunc_Ptbl_Search(int32_t obj) const { return Directory().Ptbl_Search(obj); }
  int32_t RigK70RFunc_Obj_Address(int32_t obj) const { return Directory().Obj_Address(obj); }
  int32_t RigK70RFunc_Obj_Number(int32_t obj) const { return Directory().Obj_Number(obj); }
  int32_t RigK70RFunc_Obj_Size(int32_t obj) const { return Directory().Obj_Size(obj); }
  void task() { task_.Tick(); }

  std::string ConsEv_Disp(console::clsConsole& objConsole, int16_t Index, int16_t evNo, int16_t val) override;
  void ConsEv_SendE8(console::clsConsole& objConsole, int16_t Index, int16_t evNo, int16_t val) override;
  void ConsEv_Enter(console::clsConsole& objConsole, int16_t Index, int16_t evNo, int16_t val) override;

 private:
  memory::ObjectDirectory Directory() const { return memory::ObjectDirectory(radio_.eepImage()); }

  SessionLog& keeper_;
  memory::clsCmcRadio& radio_;
  TaskView& view_;
  AdjustTask task_;
  ConsoleLines lines_;
  std::array<int16_t, 22> tempBorder_{};
};

}  // namespace qxt::adjust
