#pragma once
// The program's single instances, created in their order and wired to each other: the radio
// identity with its image, the port owner with the frame driver and the options file, the
// sequencer, the console, the model's adjustment object and the main window's logic.

#include "model/MainWindowLogic.h"
#include "model/clsIndOp_RigK70R.h"

namespace qxt::model {

class RigProgram {
 public:
  RigProgram(link::SerialPort& port, const common::TickSource& ticks, MainView& view, MainWindowView& window);
  ~RigProgram();

  // Identity, port defaults, resets, options, heartbeat on. The shell shows the window after.
  void Start();
  // Port closed, options written, heartbeat off.
  void CloseDown();

  memory::clsCmcRadio radio;
  link::frmCom com;
  link::clsCmcCln3Sequence seq;
  console::clsConsole console;
  clsIndOp_RigK70R op;
  MainWindowLogic main;
};

}  // namespace qxt::model
