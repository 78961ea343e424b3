#include "adjust/clsIndOp_RigK70R.h"

#include <algorithm>

#include "common/Common.h"

namespace qxt::adjust {

namespace {

constexpr int16_t kTempBorder[21] = {0,   16,  24,  32,  40,  48,  64,  80,  96,  112, 128,
                                     144, 160, 176, 192, 208, 216, 224, 232, 240, 255};

}  // namespace

clsIndOp_RigK70R::clsIndOp_RigK70R(link::clsCmcCln3Sequence& seq, SessionLog& keeper, memory::clsCmcRadio& radio,
                                   TaskView& view, const common::TickSource& ticks, link::MainWindowHooks& main)
    : keeper_(keeper),
      radio_(radio),
      view_(view),
      task_(seq, keeper, radio, view, ticks, main, *this),
      lines_(task_.actions(), task_.channels()) {
  task_.Reset();
  std::copy(std::begin(kTempBorder), std::end(kTempBorder), tempBorder_.begin());
}

int16_t clsIndOp_RigK70R::RigK70ROp_Table_Txf_TempBorder(int16_t Index) const {
  return Index >= 0 && Index < 22 ? tempBorder_[static_cast<size_t>(Index)] : 0;
}

bool clsIndOp_RigK70R::RigOpFunc_CheckSubNameLegal(const std::string& nameS) {
  return nameS.substr(0, 2) <= std::string("0100").substr(0, 2);
}

void clsIndOp_RigK70R::RigOpFunc_SetComPortNo(int16_t portNo) {
  if (portNo == task_.comPortNo()) return;
  task_.UsePort(portNo);
  keeper_.Ended("closed");
  task_.Reset();
  task_.DropPutBack();  // they belong to the radio on the port just left
}

std::string clsIndOp_RigK70R::ConsEv_Disp(console::clsConsole& con, int16_t Index, int16_t evNo, int16_t val) {
  return lines_.Text(con, Index, evNo, val, RigK70RFunc_Obj_Size(2), task_.flgDigital());
}

void clsIndOp_RigK70R::ConsEv_SendE8(console::clsConsole& con, int16_t Index, int16_t evNo, int16_t val) {
  if (static_cast<SendEvent>(evNo) != SendEvent::kChannel) return;
  task_.sender().Send({static_cast<uint8_t>(con.E8Command(Index)),
                       static_cast<uint8_t>((task_.channels().chList(val) + 1) & 0xFF), std::nullopt});
}

void clsIndOp_RigK70R::ConsEv_Enter(console::clsConsole&, int16_t Index, int16_t evNo, int16_t) {
  task_.EnterPressed(Index, evNo);
}

}  // namespace qxt::adjust
