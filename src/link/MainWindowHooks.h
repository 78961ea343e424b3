#pragma once
// What the link reaches of the main window: its per-tick task, the clone error message and the
// two option routines.

namespace qxt::link {

class clsCmcCln3Sequence;
}  // namespace qxt::link
namespace qxt::settings {
class clsCmcProfileIO;
}  // namespace qxt::settings
namespace qxt::link {
using settings::clsCmcProfileIO;

class MainWindowHooks {
 public:
  virtual ~MainWindowHooks() = default;
  virtual void task() = 0;
  virtual void MsgBoxCloneErr(clsCmcCln3Sequence& myObjCln3Seq) = 0;
  virtual void loadData(clsCmcProfileIO& objProf) = 0;
  virtual void saveData(clsCmcProfileIO& objProf) = 0;
};

}  // namespace qxt::link
