#pragma once
// The live update of the adjustment task: every item whose value changed is sent to the running
// radio (and written to the image), one live command at a time. The balance is kept in three
// further bytes (wide at 0071, 0063 and digital at 0078), one per pass, each with its own live
// command; BAL is flagged again until all four agree.

#include "common/LiveCommandSender.h"
#include "console/clsConsole.h"
#include "memory/clsCmcEeprom.h"
#include "model/RigK70RItemTable.h"

namespace qxt::model {

class RigK70RLiveUpdate {
 public:
  RigK70RLiveUpdate(console::clsConsole& console, common::LiveCommandSender& sender, memory::clsCmcEeprom& image,
                    const ItemIndices& indices)
      : console_(console), sender_(sender), image_(image), idx_(indices) {}

  // Sends changed items from the first on; false when a live command is under way (the next
  // pass scans again from the first item), true when the whole list went by.
  bool Run();

 private:
  void MirrorBal();

  console::clsConsole& console_;
  common::LiveCommandSender& sender_;
  memory::clsCmcEeprom& image_;
  const ItemIndices& idx_;
};

}  // namespace qxt::model
