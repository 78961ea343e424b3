#pragma once
// The live update of the adjustment task: every item whose value changed is sent to the running
// radio (and written to the image), one live command at a time. The balance is kept in three
// further bytes (0071, 0063 and 0078), one at a time, each with its own live command that goes
// out as soon as BAL's own is echoed, before BAL's wait; BAL is flagged again until all four
// agree.

#include "adjust/ItemTable.h"
#include "console/clsConsole.h"
#include "link/LiveSender.h"
#include "memory/clsCmcEeprom.h"

namespace qxt::adjust {

class LiveUpdate {
 public:
  LiveUpdate(console::clsConsole& console, link::LiveSender& sender, memory::clsCmcEeprom& image)
      : console_(console), sender_(sender), image_(image) {}

  // Sends changed items from the first on; false when a live command is under way (the next
  // pass scans again from the first item), true when the whole list went by.
  bool Run();
  // Sends the mirror that BAL's last command calls for, if any; true when one went out.
  bool SendMirror();

 private:
  void MirrorBal();

  console::clsConsole& console_;
  link::LiveSender& sender_;
  memory::clsCmcEeprom& image_;
  bool mirrorDue_ = false;
};

}  // namespace qxt::adjust
