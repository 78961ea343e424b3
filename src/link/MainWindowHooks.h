#pragma once
// What the link reaches of the layer above it: the main window's per-tick task, the clone error
// message for the program's sequencer, and the saving of the options at shut-down.

#include <string>

#include "link/LinkFailure.h"

namespace qxt::link {

class MainWindowHooks {
 public:
  virtual ~MainWindowHooks() = default;
  virtual void task() = 0;
  // Explains a failure of the program's link, once, and resets the work.
  virtual void MsgBoxCloneErr(const LinkFailure& failure) = 0;
  virtual void saveAllData() = 0;
  // Something the technician should know that stops nothing (a trace that cannot be written).
  virtual void notice(const std::string& text) = 0;
};

}  // namespace qxt::link
