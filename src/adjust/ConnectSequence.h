#pragma once
// The connection sequence of the adjustment task (states 1..9): the clone read, the
// interpretation of the image (items, channel list, Mid flag, identity), the first readouts, the
// fixed live command, and every item sent once. The image as read is kept as a backup file
// before anything is sent.

#include <cstdint>
#include <string>

#include "adjust/ChannelList.h"
#include "adjust/ItemTable.h"
#include "adjust/LiveUpdate.h"
#include "adjust/OpState.h"
#include "adjust/SessionLog.h"
#include "adjust/SteadyCycle.h"
#include "adjust/TaskHooks.h"
#include "adjust/TaskMachine.h"
#include "common/Bytes.h"
#include "console/clsConsole.h"
#include "link/LiveSender.h"
#include "link/clsCmcCln3Sequence.h"
#include "memory/ObjectDirectory.h"
#include "memory/clsCmcRadio.h"
#include "memory/clsIndEep_RigK70R.h"

namespace qxt::adjust {

class ConnectSequence {
 public:
  struct Parts {
    console::clsConsole& console;
    ChannelList& channels;
    LiveUpdate& liveUpdate;
    SteadyCycle& cycle;
    TaskHooks& hooks;
    SessionLog& keeper;
    link::LiveSender& sender;
  };

  ConnectSequence(link::clsCmcCln3Sequence& seq, const link::clsCmcCln3Drv& drv, memory::clsCmcRadio& radio,
                  memory::clsIndEep_RigK70R& decoder, const Parts& parts);

  // The work of one connection state (entry: its first run since it was entered).
  Step Run(OpState state, bool entry);

  bool flgMid() const { return flgMid_; }
  // The backup file of the last image read, or empty when none could be written.
  const std::string& lastBackup() const { return lastBackup_; }

 private:
  void Interpret();
  memory::ObjectDirectory Directory() const { return memory::ObjectDirectory(radio_.eepImage()); }

  link::clsCmcCln3Sequence& seq_;
  const link::clsCmcCln3Drv& drv_;
  memory::clsCmcRadio& radio_;
  memory::clsIndEep_RigK70R& decoder_;
  Parts parts_;
  bool flgMid_ = false;
  std::string lastBackup_;
};

}  // namespace qxt::adjust
