#pragma once
// The texts of the console lines that clsIndOp_RigK70R draws itself (ConsEv_Disp): the
// channel line, the prompts of the procedures with what they are doing, and the LV targets.

#include <cstdint>
#include <string>

#include "adjust/ChannelList.h"
#include "adjust/ItemTable.h"
#include "adjust/Procedures.h"
#include "console/clsConsole.h"

namespace qxt::adjust {

class ConsoleLines {
 public:
  ConsoleLines(const Procedures& actions, const ChannelList& channels) : actions_(actions), channels_(channels) {}

  // The whole line of item index; "???" for an event number no line answers to. recordSize and
  // digital describe the channel object and the radio's option for the channel line.
  std::string Text(const console::clsConsole& con, int16_t index, int16_t evNo, int16_t val, int32_t recordSize,
                   bool digital) const;

 private:
  std::string FilterLine(const console::clsConsole& con, int16_t index) const;
  std::string RssiLine(const console::clsConsole& con, int16_t index) const;
  std::string LvaLine(const console::clsConsole& con, int16_t index) const;
  static std::string Failed(bool failed);
  static std::string LvTargetLine(const console::clsConsole& con, int16_t index, int16_t val);

  const Procedures& actions_;
  const ChannelList& channels_;
};

}  // namespace qxt::adjust
