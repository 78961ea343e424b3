#include "adjust/ConnectSequence.h"

#include <algorithm>
#include <ctime>

#include "adjust/ImageBackup.h"
#include "common/Common.h"
#include "common/Translate.h"

namespace qxt::adjust {

ConnectSequence::ConnectSequence(link::clsCmcCln3Sequence& seq, const link::clsCmcCln3Drv& drv,
                                 memory::clsCmcRadio& radio, memory::clsIndEep_RigK70R& decoder, const Parts& parts)
    : seq_(seq), drv_(drv), radio_(radio), decoder_(decoder), parts_(parts) {}

Step ConnectSequence::Run(OpState state, bool entry) {
  if (InRange(state, OpState::kFirstReadouts, OpState::kLastFirstReadout)) {
    return Done(parts_.hooks.ReadA(ReadoutIndex(state, OpState::kFirstReadouts), entry));
  }
  switch (state) {
    case OpState::kStart:
      return Step::Next();
    case OpState::kCloneRead:
      if (entry) {
        seq_.easyCloneRead();
        return Step::Wait();
      }
      Interpret();
      return Step::Next();
    case OpState::kFixedCommand:
      parts_.sender.Send({0x02, 1, std::nullopt});
      return Step::Next();
    case OpState::kFirstLiveUpdate:
      return Done(parts_.liveUpdate.Run());
    default:
      return Step::Wait();
  }
}

// Every item takes its value from the image and is flagged, so the live update sends each once.
// No item of the table holds the role linked to MOD, so no MOD-link values are derived.
void ConnectSequence::Interpret() {
  console::clsConsole& con = parts_.console;
  memory::clsCmcEeprom& image = radio_.eepImage();
  con.Value(Index(Item::kDigMode), 1);
  decoder_.RigK70REep_SetCommonAddress(Directory().Obj_Address(6));
  flgMid_ = decoder_.RigK70REep_GetMid();
  for (int16_t i = 0; i < con.ListCount(); ++i) {
    con.ReadFromEe(i);
    if (i == Index(Item::kLvRxLva)) {
      con.Value(i, image.ReadByte(0xAE));
    } else if (i == Index(Item::kLvTxLva)) {
      con.Value(i, image.ReadByte(0xAF));
    }
    con.flgChanged(i, true);
  }
  parts_.cycle.RequestReadout();
  parts_.channels.Build(Directory().Obj_Address(2), Directory().Obj_Number(2));
  con.Max(Index(Item::kChNo), static_cast<int16_t>(parts_.channels.chListCount() - 1));
  con.Value(Index(Item::kChNo), con.Min(Index(Item::kChNo)));
  con.flgChanged(Index(Item::kChNo), true);
  if (drv_.lastError() == link::DriverError::kNone && seq_.error() == link::SequencerError::kNone) {
    const auto unfinished =
        parts_.hooks.CheckingRestore() ? std::nullopt : parts_.keeper.UnfinishedRestore(seq_.ansInfo());
    if (unfinished) parts_.hooks.Warn(*unfinished);
    const ImageBackup::Saved saved =
        ImageBackup::Save(image.bytes(), radio_.radioNameM(), radio_.radionameS(), std::time(nullptr),
                          unfinished ? ImageBackup::kAfterUnfinishedRestore : "");
    lastBackup_ = saved.path;
    if (!saved.error.empty()) {
      parts_.hooks.Notice(common::Compose(common::TrNoop("qxt",
                                                         "No backup of the radio's memory was kept: %1. The service "
                                                         "record holds the image as read, if it is on."),
                                          {saved.error}));
    }
    parts_.keeper.RadioRead(radio_, seq_.ansInfo(), lastBackup_);
  }
}

}  // namespace qxt::adjust
