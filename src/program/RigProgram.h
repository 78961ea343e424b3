#pragma once
// The program's single instances, created in their order and wired to each other through their
// constructors: the options file, the radio identity with its image, the port owner with the
// frame driver, the sequencer, the adjustment task (with its console) and the main
// window's logic. The link reaches the layer above it through this object, which hands each
// call on to the instance that answers it.

#include "adjust/clsIndOp_RigK70R.h"
#include "common/TickSource.h"
#include "link/IdentityHooks.h"
#include "link/MainWindowHooks.h"
#include "link/SerialPort.h"
#include "link/clsCmcCln3Sequence.h"
#include "link/frmCom.h"
#include "memory/clsCmcRadio.h"
#include "program/RecordKeeper.h"
#include "record/ServiceRecord.h"
#include "settings/clsCmcProfileIO.h"
#include "window/MainView.h"
#include "window/MainWindowLogic.h"
#include "window/MainWindowView.h"
#include "window/PlotData.h"

namespace qxt::program {

class RigProgram : private link::MainWindowHooks, private link::IdentityHooks {
 public:
  // recordPath: the service record's database.
  RigProgram(link::SerialPort& port, const common::TickSource& ticks, window::MainView& view,
             window::MainWindowView& window, const std::string& recordPath = record::ServiceRecord::DefaultPath());
  ~RigProgram() override;
  RigProgram(const RigProgram&) = delete;
  RigProgram& operator=(const RigProgram&) = delete;

  // Identity, port defaults, resets, options (loadAllData), heartbeat on. The shell shows the
  // window after.
  void Start();
  // An orderly end, first step: a running procedure is cancelled (its values are put back on the
  // next ticks), a restore stops after the block under way. The shell keeps the ticks running
  // until EndReady() or its patience ends, then calls CloseDown().
  void BeginEnd();
  // Nothing is left to put back and no restore writes, or kEndPatienceMs have passed since
  // BeginEnd (long enough for the link's own time-outs on a few values and the block under way).
  bool EndSettled() const;
  static constexpr int32_t kEndPatienceMs = 5000;
  // What could not be put back in time is named (status line, standard error, record); then the
  // session ends, the port closes, the options are written (saveAllData) and the heartbeat stops.
  void CloseDown();
  // The command-line modes use the options as they find them and never write the file.
  void SaveOptionsAtExit(bool save) { saveOptions_ = save; }
  // The bench generator's options from now on, kept in the options file; false when they could
  // not be written.
  bool SaveBench(const instrument::BenchOptions& options);
  // Why the options could not be saved the last time, or "".
  const std::string& optionsProblem() const { return optionsProblem_; }
  // A serial device chosen by path: mapped to a COM number in [PORTS] (the one it has, else the
  // first free of COM 5 to 10) and made the port in use. Returns the number.
  int16_t UsePortDevice(const std::string& path);

  settings::clsCmcProfileIO& profMain() { return profMain_; }
  record::ServiceRecord& record() { return record_; }
  RecordKeeper& keeper() { return keeper_; }
  memory::clsCmcRadio& radio() { return radio_; }
  link::frmCom& com() { return com_; }
  const link::frmCom& com() const { return com_; }
  link::clsCmcCln3Sequence& seq() { return seq_; }
  const link::clsCmcCln3Sequence& seq() const { return seq_; }
  // Sizes and centres the window the first time, then places every control.
  void RigOpFunc_FormLayout();
  adjust::clsIndOp_RigK70R& op() { return op_; }
  const adjust::clsIndOp_RigK70R& op() const { return op_; }
  console::clsConsole& console() { return op_.console(); }
  const console::clsConsole& console() const { return op_.console(); }
  window::MainWindowLogic& main() { return main_; }
  // What the plot panel shows, fed by the procedures and the readouts.
  const window::PlotData& plot() const { return plot_; }

 private:
  void task() override {
    record_.Poll();  // writes that waited, the daily check's finding
    main_.task();
  }
  void MsgBoxCloneErr(const link::LinkFailure& failure) override { main_.MsgBoxCloneErr(failure); }
  void saveAllData() override;
  void notice(const std::string& text) override;
  bool RigOpFunc_CheckSubNameLegal(const std::string& nameS) override { return op_.RigOpFunc_CheckSubNameLegal(nameS); }
  void RigK70ROp_Digital_Option(bool st) override { op_.RigK70ROp_Digital_Option(st); }

  settings::clsCmcProfileIO profMain_;
  record::ServiceRecord record_;
  memory::clsCmcRadio radio_;
  link::frmCom com_;
  link::clsCmcCln3Sequence seq_;
  RecordKeeper keeper_;
  window::PlotData plot_;  // before op_, which publishes to it
  adjust::clsIndOp_RigK70R op_;
  window::MainWindowLogic main_;
  window::MainView& view_;
  const common::TickSource& ticks_;
  int32_t endBegan_ = 0;
  std::string optionsProblem_;
  bool saveOptions_ = true;
  bool layoutDone_ = false;
};

}  // namespace qxt::program
