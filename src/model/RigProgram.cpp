#include "model/RigProgram.h"

namespace qxt::model {

RigProgram::RigProgram(link::SerialPort& port, const common::TickSource& ticks, MainView& view, MainWindowView& window)
    : com(port, ticks),
      seq(com, radio, ticks),
      op(seq, com, radio, console, view, ticks),
      main(seq, op, com, console, window) {
  com.setMainWindow(&main);
  com.setSequencer(&seq);
  seq.setHooks(&main, &op);
  op.setMainWindow(&main);
}

RigProgram::~RigProgram() {
  com.setMainWindow(nullptr);
  com.Unload();
}

void RigProgram::Start() {
  radio.radioNameM("2927");
  radio.radionameS("0100");
  radio.cloneWriteAdrList_Clear();
  radio.cloneWriteAdrList_Add(0, 32111);
  com.comPortNum(1);
  com.comBaud(9600);
  com.cln3D.Reset();
  com.Reset();
  com.loadData(com.profMain);
  com.timSolidEnabled(true);
}

void RigProgram::CloseDown() {
  com.AllOver();
  com.Unload();
}

}  // namespace qxt::model
