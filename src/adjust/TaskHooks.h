#pragma once
// What the parts of the adjustment task (connection sequence, steady cycle) ask of the task
// that runs them.

#include <cstdint>
#include <string>

namespace qxt::adjust {

class TaskHooks {
 public:
  virtual ~TaskHooks() = default;
  // Readouts of group A and B: the request on the first call, true once the answer is in. An
  // invalid answer is reported by the task at the end of its pass.
  virtual bool ReadA(int16_t index, bool isFirst) = 0;
  virtual bool ReadB(int16_t index, bool isFirst) = 0;
  // One step of the running Enter procedure; true when it is finished.
  virtual bool RunAction() = 0;
  virtual void CancelActions() = 0;
  // A notice for the technician: in the status bar, on standard error and in the record.
  virtual void Notice(const std::string& text) = 0;
  // What the technician must see before going on: the status bar, a message box, the record.
  virtual void Warn(const std::string& text) = 0;
  // The read under way checks a restore this program has just written.
  virtual bool CheckingRestore() const = 0;
};

}  // namespace qxt::adjust
