#include "adjust/clsIndOp_RigK70R.h"

#include <algorithm>
#include <cmath>

#include "adjust/ImageBackup.h"
#include "common/Common.h"
#include "common/Translate.h"

namespace qxt::adjust {

namespace {

constexpr int16_t kTempBorder[21] = {0,   16,  24,  32,  40,  48,  64,  80,  96,  112, 128,
                                     144, 160, 176, 192, 208, 216, 224, 232, 240, 255};

// The command buttons cmd00(0..2).
enum Button : int16_t { kConnect = 0, kReload = 1, kDispPara = 2 };

}  // namespace

clsIndOp_RigK70R::clsIndOp_RigK70R(link::clsCmcCln3Sequence& seq, SessionLog& keeper, memory::clsCmcRadio& radio,
                                   TaskView& view, const common::TickSource& ticks, link::MainWindowHooks& main)
    : seq_(seq),
      keeper_(keeper),
      drv_(seq.driver()),
      radio_(radio),
      view_(view),
      main_(main),
      ticks_(ticks),
      bench_(ticks, keeper, [this](const std::string& text) { Notice(text); }),
      align_(ticks),
      indEep_(radio),
      waitTick_(ticks),
      console_(view.lboConsole(), *this, keeper, radio.eepImage()),
      actions_(*this),
      channels_(indEep_),
      lines_(actions_, idx_, channels_),
      liveUpdate_(console_, keeper, radio.eepImage(), idx_),
      cycle_(console_, liveUpdate_, *this, indEep_, view),
      connection_(seq, drv_, radio, indEep_, {console_, idx_, channels_, liveUpdate_, cycle_, *this, keeper}),
      putBack_(keeper, radio.eepImage()),
      restore_(seq, radio),
      progress_(view, ticks) {
  comPortNo_ = 1;
  observers_.Add(&align_);
  RigOpFunc_ResetAll();
  std::copy(std::begin(kTempBorder), std::end(kTempBorder), tempBorder_.begin());
}

void clsIndOp_RigK70R::RigOpFunc_ResetAll() {
  // A procedure cut off by a reset puts back what it changed, and never resumes.
  actions_.Abort();
  if (restoring()) {
    restore_.Abandon();
    ReportRestore();
  }
  progress_.Stop();
  revert_.Forget();
  seq_.easyReset(comPortNo_);
  opState_ = OpState::kIdle;
  flgStateEntry_ = true;
  cycle_.flgParaDisp(false);
  readouts_.Reset();
  flgOpError_ = false;
  RigOpFunc_FormResource();
  console_.Clear();
  idx_ = AddRigK70RItems(console_);
  RefreshPanels();  // "Connect" is usable again at once
}

int16_t clsIndOp_RigK70R::RigK70ROp_Table_Txf_TempBorder(int16_t Index) const {
  return Index >= 0 && Index < 22 ? tempBorder_[static_cast<size_t>(Index)] : 0;
}

// The captions of the buttons, the headings of the readout lists and an empty progress line.
void clsIndOp_RigK70R::RigOpFunc_FormResource() {
  view_.setCaption(Control::kCmd0, common::TrNoop("qxt", "Connect"));
  view_.setCaption(Control::kCmd1, common::TrNoop("qxt", "Reload(F5)"));
  view_.setCaption(Control::kCmd2, common::TrNoop("qxt", "Disp para"));
  const struct {
    int list;
    const char* heading;
    int rows;
  } lists[] = {{0, "[A/D]", 5}, {1, "[D/A]", 9}};
  for (const auto& l : lists) {
    common::ListBoxView& box = view_.lbo01(l.list);
    box.clear();
    box.addLine(l.heading);
    for (int r = 0; r < l.rows; ++r) box.addLine("----");
  }
  view_.setCaption(Control::kLblProgress, std::string(TransferProgress::kWidth, ' '));
}

bool clsIndOp_RigK70R::RigOpFunc_CheckSubNameLegal(const std::string& nameS) {
  return nameS.substr(0, 2) <= std::string("0100").substr(0, 2);
}

void clsIndOp_RigK70R::RigOpFunc_SetComPortNo(int16_t portNo) {
  if (portNo == comPortNo_) return;
  comPortNo_ = portNo;
  keeper_.Ended("closed");
  RigOpFunc_ResetAll();
  DropPutBack();  // they belong to the radio on the port just left
}

void clsIndOp_RigK70R::RigOpFunc_ClickCmd00(int16_t Index) {
  if (Index == kConnect && streaming()) {
    Notice(common::TrNoop("qxt", "The radio is still sending its memory: \"Connect\" waits until it has finished."));
    return;
  }
  // A button pressed while Align all runs its procedures is the technician taking over.
  if (align_.running() && align_.phase() != AlignAll::Phase::kConnecting) align_.Fail("cancelled by the technician");
  CancelActions();
  if (Index == kConnect) {
    connectReason_ = record::SendReason::kConnect;
    RigOpFunc_ResetAll();
    opState_ = OpState::kStart;
    flgStateEntry_ = true;
  } else if (Index == kReload) {
    if (RigK70RProp_EditEnabled()) cycle_.RequestReadout();
  } else if (Index == kDispPara) {
    if (RigK70RProp_EditEnabled()) {
      cycle_.flgParaDisp(true);
    } else if (RigK70RProp_DispPara()) {
      cycle_.flgParaDisp(false);
    }
  }
}

// ---- Align all ----

std::string clsIndOp_RigK70R::StartAlignAll(const std::vector<std::string>& titles) {
  if (align_.running()) return "Align all is already running.";
  if (ending_) return "Align all cannot start: the program is ending.";
  std::string why;
  auto steps = AlignAll::Plan(console_, titles, bench_.configured(), why);
  if (steps.empty()) return why;
  align_.Begin(std::move(steps));
  return "";
}

// Connected and nothing left to put back: the next step starts as an Enter on its line would.
// The steps end through what their procedures publish; a reset on the way ends the run.
void clsIndOp_RigK70R::StepAlignAll() {
  const bool ready = isSteady() && !seq_.OpRunning() && putBack_.empty() && !actions_.running();
  switch (align_.phase()) {
    case AlignAll::Phase::kConnecting:
      if (opState_ == OpState::kIdle) align_.Fail("the radio was not connected");
      if (ready) align_.Connected();
      break;
    case AlignAll::Phase::kStartStep:
      if (!ready) break;
      console_.flgEnterOn(align_.current().item, true);
      align_.StepStarting();
      break;
    case AlignAll::Phase::kRunning:
      if (opState_ == OpState::kIdle) align_.Fail("the link to the radio failed");
      break;
    default:
      break;
  }
  if (!align_.TakeOver()) return;
  for (const std::string& line : align_.Record(bench_.Identity(), bench_.options())) keeper_.Message("align", line);
  Notice(align_.Headline());
}

// ---- console handlers ----

std::string clsIndOp_RigK70R::ConsEv_Disp(console::clsConsole& con, int16_t Index, int16_t evNo, int16_t val) {
  return lines_.Text(con, Index, evNo, val, RigK70RFunc_Obj_Size(2), flgDigital_);
}

void clsIndOp_RigK70R::ConsEv_SendE8(console::clsConsole& con, int16_t Index, int16_t evNo, int16_t val) {
  if (static_cast<SendEvent>(evNo) != SendEvent::kChannel) return;
  keeper_.easySendE8NoAnswer(common::LiveCommandText(con.E8Command(Index), channels_.chList(val) + 1));
}

// Enter on a procedure's item starts it (cancelling any other); Enter again on RSSI confirms the
// reading, and on a running sweep or level adjustment changes nothing.
void clsIndOp_RigK70R::ConsEv_Enter(console::clsConsole&, int16_t Index, int16_t evNo, int16_t) {
  const ActState act = actions_.actState();
  const auto event = static_cast<EnterEvent>(evNo);
  switch (event) {
    case EnterEvent::kRssi:
      if (IsRssi(act)) {
        actions_.ConfirmRssi();
        return;
      }
      CancelActions();
      actions_.StartRssi();
      return;
    case EnterEvent::kBpfT1:
    case EnterEvent::kBpfT2:
    case EnterEvent::kBpfAll:
      if (IsBpf(act)) return;
      CancelActions();
      actions_.StartBpf({event != EnterEvent::kBpfT2, event != EnterEvent::kBpfT1}, event == EnterEvent::kBpfAll,
                        Index);
      return;
    case EnterEvent::kRxLva:
    case EnterEvent::kTxLva:
      if (IsLva(act)) return;
      CancelActions();
      actions_.StartLva(event == EnterEvent::kRxLva ? 0 : 1);
      return;
  }
}

// ---- readouts ----

bool clsIndOp_RigK70R::ReadA(int16_t index, bool isFirst) {
  const ReadoutResult r = readouts_.Read(ReadoutGroup::kA, index, isFirst, seq_, drv_.varLastE8Answer(),
                                         connection_.radioName(), view_.lbo01(0));
  if (r == ReadoutResult::kInvalid) flgOpError_ = true;
  if (r == ReadoutResult::kDone) observers_.Readout(index, readouts_.lastAdA(index), ticks_.tickCount());
  return r != ReadoutResult::kPending;
}

bool clsIndOp_RigK70R::ReadB(int16_t index, bool isFirst) {
  const ReadoutResult r = readouts_.Read(ReadoutGroup::kB, index, isFirst, seq_, drv_.varLastE8Answer(),
                                         connection_.radioName(), view_.lbo01(1));
  if (r == ReadoutResult::kInvalid) flgOpError_ = true;
  return r != ReadoutResult::kPending;
}

int64_t clsIndOp_RigK70R::ChannelRxHz() const {
  const int16_t ch = channels_.chList(console_.Value(idx_.chNo));
  return indEep_.RigK70REep_GetChFreqRxReal(RigK70RFunc_Obj_Address(2), ch) & 0x7FFFFFFF;
}

void clsIndOp_RigK70R::SendLive(int16_t command, int16_t value) {
  keeper_.easySendE8NoAnswer(common::LiveCommandText(command, value));
}

void clsIndOp_RigK70R::Notice(const std::string& text) {
  view_.showNotice(text);
  keeper_.Message("notice", text);
}

void clsIndOp_RigK70R::Warn(const std::string& text) {
  view_.showNotice(text);
  keeper_.Message("warning", text);
  common::MsgBoxWarning(text);
}

// ---- put back, restore, revert, undo ----

void clsIndOp_RigK70R::PutBackItem(int16_t item, int16_t value) {
  console_.Value(item, value);
  console_.flgChanged(item, false);
  std::string title = console_.Title(item);
  title.erase(0, title.find_first_not_of(' '));
  putBack_.Add(console_.E8Command(item), console_.EeAdr(item), static_cast<uint8_t>(value & 0xFF),
               console_.WaitAfterE8(item), title + " " + std::to_string(value));
}

void clsIndOp_RigK70R::PutBackByte(int16_t command, int32_t address, uint8_t value) {
  putBack_.Add(command, address, value, 0,
               std::string(address == 0xAA ? "RSSI S3 " : "RSSI S1 ") + std::to_string(value));
}

std::vector<std::string> clsIndOp_RigK70R::DropPutBack(const std::string& why) {
  std::vector<std::string> names = putBack_.Drop();
  if (names.empty()) return names;
  std::string list;
  for (const std::string& n : names) list += (list.empty() ? "" : ", ") + n;
  Notice(
      common::Compose(common::TrNoop("qxt", "Not put back into the radio, %1: %2. Check these values."), {why, list}));
  return names;
}

void clsIndOp_RigK70R::BeginEnd() {
  if (ending_) return;
  ending_ = true;
  align_.Fail("the program was closed");
  CancelActions();
  if (restore_.phase() == RestoreWrite::Phase::kWriting) restore_.Cancel();
}

// A read or a readout under way may be cut off: it changes nothing in the radio.
bool clsIndOp_RigK70R::EndReady() const {
  return putBack_.settled() && restore_.phase() != RestoreWrite::Phase::kWriting;
}

void clsIndOp_RigK70R::EndNow() {
  BeginEnd();
  if (!seq_.OpRunning()) putBack_.Delivered();
  DropPutBack(common::TrNoop("qxt", "the program having ended before they could be sent"));
  if (restoring()) {
    restore_.Abandon();
    ReportRestore();
  }
}

std::optional<std::string> clsIndOp_RigK70R::RestoreRefusal(const Bytes& file) const {
  if (auto refusal = RestoreWrite::CheckFile(file)) return refusal;
  if (!RigK70RProp_EditEnabled() || actions_.running() || restoring() || ending_) {
    return std::string(common::TrNoop("qxt", "A restore needs a connected radio and no procedure running."));
  }
  // Without a copy of what the radio holds now, nothing could take a restore back.
  if (connection_.lastBackup().empty() && !keeper_.HoldsRadioImage()) {
    return common::Compose(common::TrNoop("qxt",
                                          "No copy of the radio's memory as read at Connect exists: the backup could "
                                          "not be written and the service record is off. Nothing was written; free "
                                          "the data folder (%1) and connect again."),
                           {ImageBackup::Directory()});
  }
  return std::nullopt;
}

std::optional<std::string> clsIndOp_RigK70R::StartRestore(const Bytes& file, const std::string& path) {
  if (auto refusal = RestoreRefusal(file)) {
    keeper_.RestoreRefused(path, *refusal);
    return refusal;
  }
  CancelActions();
  opState_ = OpState::kIdle;  // the steady cycle rests; the check read starts it again
  restoreFile_ = path;
  keeper_.RestoreStarted(path, file);
  restore_.StartWrite(file);
  RefreshPanels();
  return std::nullopt;
}

// The write runs; once it has ended, the check read follows as at a connection (which also
// reloads the items), or, when it was cancelled, the work starts afresh with the report.
void clsIndOp_RigK70R::RunRestoreWrite() {
  const int32_t total = memory::clsCmcEeprom::kDefaultSize;
  if (seq_.OpRunning()) {
    progress_.Row(static_cast<int>(int64_t{restore_.bytesWritten()} * TransferProgress::kWidth / total));
    progress_.Transfer(restore_.bytesWritten(), total, true);
    return;
  }
  progress_.Stop();
  if (restore_.FinishWrite()) {
    opState_ = OpState::kCloneRead;
    flgStateEntry_ = true;
    connectReason_ = record::SendReason::kRestore;
    return;
  }
  ReportRestore();
  RigOpFunc_ResetAll();
}

void clsIndOp_RigK70R::RecordRestore() {
  const std::string& report = restore_.report();
  keeper_.RestoreEnded(restore_.outcome(), restore_.bytesWritten(), report.substr(0, report.find('\r')));
}

// At an orderly end of the program nobody is left to read a report: it goes to the status line
// (and so to standard error) and the record.
void clsIndOp_RigK70R::ReportRestore() {
  RecordRestore();
  if (ending_) {
    Notice(restore_.report());
  } else {
    view_.showReport(restore_.report(), restore_.verified());
  }
}

bool clsIndOp_RigK70R::Adjustable(const std::string& what) {
  if (!RigK70RProp_EditEnabled() || restoring()) {
    Notice(common::Compose(common::TrNoop("qxt", "%1 needs a connected radio."), {what}));
    return false;
  }
  if (actions_.running()) {
    Notice(common::Compose(common::TrNoop("qxt", "%1 is not possible while a procedure runs."), {what}));
    return false;
  }
  return true;
}

bool clsIndOp_RigK70R::RevertToRead() {
  if (!Adjustable(common::TrNoop("qxt", "Revert")) || !revert_.hasImage()) return false;
  for (int16_t i = 0; i < console_.ListCount(); ++i) {
    int16_t v = console_.Value(i);
    if (console_.EeAdr(i) >= 0) v = revert_.ValueAsRead(console_.EeAdr(i), console_.EeDataSigned(i));
    if (i == idx_.lvRxLva || i == idx_.lvRxLva + 1) v = revert_.ValueAsRead(i == idx_.lvRxLva ? 0xAE : 0xAF, false);
    if (v == console_.Value(i)) continue;
    keeper_.ItemReason(console_.E8Command(i), record::SendReason::kRevert);
    console_.Value(i, v);
  }
  const struct {
    int16_t command;
    int32_t address;
  } points[] = {{0x16, 0xAA}, {0x15, 0xA9}};
  for (const auto& p : points) {
    const auto asRead = static_cast<uint8_t>(revert_.ValueAsRead(p.address, false));
    if (radio_.eepImage().ReadByte(p.address) == asRead) continue;
    putBack_.Add(p.command, p.address, asRead, 0, p.address == 0xAA ? "RSSI S3" : "RSSI S1",
                 record::SendReason::kRevert);
  }
  return true;
}

bool clsIndOp_RigK70R::Undo() {
  if (!Adjustable(common::TrNoop("qxt", "Undo"))) return false;
  const auto last = revert_.TakeUndo();
  if (!last) {
    Notice(common::TrNoop("qxt", "Nothing to undo."));
    return false;
  }
  keeper_.ItemReason(console_.E8Command(last->first), record::SendReason::kUndo);
  console_.Value(last->first, last->second);
  return true;
}

void clsIndOp_RigK70R::RememberKeyChange(int16_t item) {
  keeper_.ItemReason(console_.E8Command(item), record::SendReason::kKey);
  if (RigK70RProp_EditEnabled()) revert_.RememberKey(item, console_.Value(item));
}

// ---- the adjustment task ----

bool clsIndOp_RigK70R::streaming() const {
  return restore_.phase() == RestoreWrite::Phase::kWriting || (opState_ == OpState::kCloneRead && seq_.OpRunning());
}

// Walks through the states until one has to wait or the cycle has come round to its end. What a
// procedure must put back goes first.
void clsIndOp_RigK70R::task() {
  bench_.Poll();
  StepAlignAll();
  if (restore_.phase() == RestoreWrite::Phase::kWriting) {
    RunRestoreWrite();
    RefreshPanels();
    return;
  }
  if (seq_.OpRunning()) {
    if (opState_ == OpState::kCloneRead) ShowCloneReadProgress();
    return;
  }
  putBack_.Delivered();  // a failed frame would have reset the work before this pass
  progress_.Stop();
  if (InRange(opState_, OpState::kFirstReadouts, OpState::kFirstLiveUpdate)) {
    progress_.Row(static_cast<int>(std::floor((opState_ - OpState::kCloneRead) / 7.0 * TransferProgress::kWidth)));
  }
  if (liveUpdate_.SendMirror()) return;
  if (waitE8_ > 0) {
    waitTick_.counter(waitE8_);
    waitE8_ = 0;
  }
  if (waitTick_.counter() > 0) return;
  if (!putBack_.empty()) {
    waitE8_ = putBack_.SendNext();
    return;
  }
  if (ending_) return;
  const bool connecting = InRange(opState_, OpState::kStart, OpState::kFirstLiveUpdate);
  keeper_.Reason(connecting           ? connectReason_
                 : actions_.running() ? record::SendReason::kProcedure
                                      : record::SendReason::kKey);
  for (;;) {
    OpState next = Following(opState_);
    const bool advance = RunState(next);
    if (advance) opState_ = next;
    flgStateEntry_ = advance;
    if (flgOpError_) {
      main_.MsgBoxCloneErr();
      RigOpFunc_ResetAll();
      break;
    }
    if (!advance || isSteady() || seq_.OpRunning()) break;
  }
  RefreshPanels();
}

bool clsIndOp_RigK70R::RunState(OpState& next) {
  if (InRange(opState_, OpState::kStart, OpState::kFirstLiveUpdate)) {
    const bool advance = connection_.Run(opState_, flgStateEntry_);
    if (advance && opState_ == OpState::kCloneRead) {
      revert_.ImageRead(radio_.eepImage().bytes());
      if (restore_.phase() == RestoreWrite::Phase::kVerifying) {
        restore_.Verify(radio_.eepImage());
        ReportRestore();
      }
    }
    return advance;
  }
  if (InRange(opState_, OpState::kCycleStart, OpState::kParamDisplay)) {
    return cycle_.Run(opState_, flgStateEntry_, next);
  }
  return false;
}

// The row is scaled by 33 against its 32 characters; it never passes them.
void clsIndOp_RigK70R::ShowCloneReadProgress() {
  const int32_t end = drv_.EndAddress();
  const double share = end > 0 ? static_cast<double>(drv_.lastEeAdr()) / end * 33 : 0;
  progress_.Row(static_cast<int>(std::clamp(std::floor(share), 0.0, 32.0)));
  progress_.Transfer(drv_.bytesReceived(), end, false);
}

bool clsIndOp_RigK70R::RunAction() {
  const ActState before = actions_.actState();
  const bool advance = actions_.Step();
  if (before != ActState::kNone && actions_.actState() == ActState::kNone) CancelActions();
  return advance;
}

void clsIndOp_RigK70R::CancelActions() {
  for (int16_t k = 0; k < 2; ++k) {
    console_.WaitAfterE8(static_cast<int16_t>(idx_.bpfT1 + k), 200);
    console_.WaitAfterE8(static_cast<int16_t>(idx_.rxLva + k), 500);
  }
  actions_.Abort();
  for (int16_t i = 0; i < console_.ListCount(); ++i) {
    console_.flgEnterOn(i, false);
    console_.Disp(i);
  }
}

void clsIndOp_RigK70R::RefreshPanels() {
  const bool shielding = RigK70RProp_Shielding();
  const bool edit = RigK70RProp_EditEnabled();
  const bool para = RigK70RProp_DispPara();
  view_.setVisible(Control::kFra0, shielding);
  const bool wasVisible = view_.isVisible(Control::kFra1);
  view_.setVisible(Control::kFra1, edit);
  if (edit && !wasVisible) view_.setFocus(Control::kLboConsole);
  view_.setVisible(Control::kFra3, para);
  view_.setEnabled(Control::kCmd0, !para && !streaming());
  view_.setEnabled(Control::kCmd1, edit);
  view_.setEnabled(Control::kCmd2, !shielding);
  view_.setDefaultAndCancel(Control::kCmd2, para);
}

}  // namespace qxt::adjust
