#include "adjust/AdjustTask.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "adjust/ImageBackup.h"
#include "common/Common.h"
#include "common/MessageBox.h"

namespace qxt::adjust {

AdjustTask::AdjustTask(link::clsCmcCln3Sequence& seq, SessionLog& keeper, memory::clsCmcRadio& radio, TaskView& view,
                       const common::TickSource& ticks, link::MainWindowHooks& main, console::ConsoleEvents& events)
    : seq_(seq),
      keeper_(keeper),
      sender_(seq),
      drv_(seq.driver()),
      radio_(radio),
      view_(view),
      main_(main),
      ticks_(ticks),
      bench_(ticks, keeper, [this](const std::string& text) { Notice(text); }),
      align_(ticks),
      indEep_(radio),
      waitTick_(ticks),
      console_(view.lboConsole(), events, sender_, radio.eepImage()),
      actions_(*this),
      channels_(indEep_),
      liveUpdate_(console_, sender_, radio.eepImage()),
      cycle_(console_, liveUpdate_, *this, indEep_, view),
      connection_(seq, drv_, radio, indEep_, {console_, channels_, liveUpdate_, cycle_, *this, keeper, sender_}),
      putBack_(sender_, radio.eepImage()),
      progress_(view, ticks),
      restore_(seq, radio, keeper, view, progress_, [this](const std::string& text) { Notice(text); }) {
  observers_.Add(&align_);
}

void AdjustTask::Reset() {
  // A procedure cut off by a reset puts back what it changed, and never resumes.
  actions_.Abort();
  restore_.Abandon(ending_);
  progress_.Stop();
  revert_.Forget();
  sender_.Forget();
  seq_.easyReset(comPortNo_);
  machine_.Enter(OpState::kIdle);
  cycle_.SetParaDisp(false);
  readouts_.Reset();
  readoutFailure_.reset();
  adjust::Dress(view_);
  console_.Clear();
  AddRigK70RItems(console_);
  Refresh();  // "Connect" is usable again at once
}

void AdjustTask::Press(Button button) {
  if (button == Button::kConnect && streaming()) {
    Notice(common::TrNoop("qxt", "The radio is still sending its memory: \"Connect\" waits until it has finished."));
    return;
  }
  // A button pressed while Align all runs its procedures is the technician taking over.
  if (align_.running() && align_.phase() != AlignAll::Phase::kConnecting) align_.Fail("cancelled by the technician");
  CancelActions();
  switch (button) {
    case Button::kConnect:
      connectReason_ = record::SendReason::kConnect;
      Reset();
      machine_.Enter(OpState::kStart);
      break;
    case Button::kReload:
      if (editEnabled()) cycle_.RequestReadout();
      break;
    case Button::kDispPara:
      if (editEnabled()) {
        cycle_.SetParaDisp(true);
      } else if (paramDisplayed()) {
        cycle_.SetParaDisp(false);
      }
      break;
  }
}

bool AdjustTask::streaming() const {
  return restore_.writing() || (opState() == OpState::kCloneRead && seq_.OpRunning());
}

void AdjustTask::Tick() {
  bench_.Poll();
  StepAlignAll();
  if (PreemptsMachine()) return;
  const bool connecting = InRange(opState(), OpState::kStart, OpState::kFirstLiveUpdate);
  sender_.Reason(connecting           ? connectReason_
                 : actions_.running() ? record::SendReason::kProcedure
                                      : record::SendReason::kKey);
  RunMachine();
  Refresh();
}

// What goes before the states: a restore's write, a frame under way, what a procedure must put
// back (first of all), the pause a live command asked for. True when the pass ends here.
bool AdjustTask::PreemptsMachine() {
  if (restore_.writing()) {
    RunRestoreWrite();
    Refresh();
    return true;
  }
  if (seq_.OpRunning()) {
    if (opState() == OpState::kCloneRead)
      progress_.CloneRead(drv_.lastEeAdr(), drv_.bytesReceived(), drv_.EndAddress());
    return true;
  }
  putBack_.Delivered();  // a failed frame would have reset the work before this pass
  progress_.Stop();
  if (InRange(opState(), OpState::kFirstReadouts, OpState::kFirstLiveUpdate)) {
    const double share = (Number(opState()) - Number(OpState::kCloneRead)) / 7.0;
    progress_.Row(static_cast<int>(std::floor(share * TransferProgress::kWidth)));
  }
  if (liveUpdate_.SendMirror()) return true;
  if (waitE8_ > 0) {
    waitTick_.counter(waitE8_);
    waitE8_ = 0;
  }
  if (waitTick_.counter() > 0) return true;
  if (!putBack_.empty()) {
    waitE8_ = putBack_.SendNext();
    return true;
  }
  return ending_;
}

// Runs states until one waits, a frame goes out, or the cycle has come round to its end.
void AdjustTask::RunMachine() {
  for (;;) {
    const bool moved = machine_.Follow(RunState());
    if (readoutFailure_) {
      main_.MsgBoxCloneErr(*std::exchange(readoutFailure_, std::nullopt));
      Reset();
      return;
    }
    if (!moved || isSteady() || seq_.OpRunning()) return;
  }
}

Step AdjustTask::RunState() {
  const OpState state = opState();
  if (InRange(state, OpState::kCycleStart, OpState::kParamDisplay)) return cycle_.Run(state, machine_.entering());
  if (!InRange(state, OpState::kStart, OpState::kFirstLiveUpdate)) return Step::Wait();
  const Step step = connection_.Run(state, machine_.entering());
  if (state == OpState::kCloneRead && step.kind != Step::Kind::kWait) {
    revert_.ImageRead(radio_.eepImage().bytes());
    if (restore_.checking()) restore_.Verify(radio_.eepImage(), ending_);
  }
  return step;
}

bool AdjustTask::Read(ReadoutGroup group, int16_t index, bool isFirst) {
  const bool a = group == ReadoutGroup::kA;
  const ReadoutResult r = readouts_.Read(group, index, isFirst, sender_, view_.lbo01(a ? 0 : 1));
  if (r == ReadoutResult::kInvalid) readoutFailure_ = link::LinkFailure::Sequencer(link::SequencerError::kNone);
  if (a && r == ReadoutResult::kDone) observers_.Readout(index, readouts_.lastAdA(index), ticks_.tickCount());
  return r != ReadoutResult::kPending;
}

bool AdjustTask::RunAction() {
  const ActState before = actions_.actState();
  const bool done = actions_.Step();
  if (before != ActState::kNone && actions_.actState() == ActState::kNone) CancelActions();
  return done;
}

void AdjustTask::CancelActions() {
  for (int16_t k = 0; k < 2; ++k) {
    console_.WaitAfterE8(static_cast<int16_t>(Index(Item::kBpfT1) + k), 200);
    console_.WaitAfterE8(static_cast<int16_t>(Index(Item::kRxLva) + k), 500);
  }
  actions_.Abort();
  for (int16_t i = 0; i < console_.ListCount(); ++i) {
    console_.flgEnterOn(i, false);
    console_.Disp(i);
  }
}

int64_t AdjustTask::ChannelRxHz() const {
  const int16_t ch = channels_.chList(console_.Value(Index(Item::kChNo)));
  const int32_t table = memory::ObjectDirectory(radio_.eepImage()).Obj_Address(2);
  return indEep_.RigK70REep_GetChFreqRxReal(table, ch) & 0x7FFFFFFF;
}

// ---- Align all ----

std::string AdjustTask::StartAlignAll(const std::vector<std::string>& titles) {
  if (ending_ && !align_.running()) return "Align all cannot start: the program is ending.";
  return align_.Start(console_, titles, bench_.configured());
}

// Connected and nothing left to put back: the next step starts as an Enter on its line would.
// The steps end through what their procedures publish; a reset on the way ends the run.
void AdjustTask::StepAlignAll() {
  const bool ready = isSteady() && !seq_.OpRunning() && putBack_.empty() && !actions_.running();
  align_.Follow(ready, opState() == OpState::kIdle, console_);
  if (!align_.TakeOver()) return;
  for (const std::string& line : align_.Record(bench_.Identity(), bench_.options())) keeper_.Message("align", line);
  Notice(align_.Headline());
}

// ---- put back and the end ----

std::vector<std::string> AdjustTask::DropPutBack(const std::string& why) {
  std::vector<std::string> names = putBack_.Drop();
  if (!names.empty()) Notice(PutBack::NotPutBack(why, names));
  return names;
}

void AdjustTask::BeginEnd() {
  if (ending_) return;
  ending_ = true;
  align_.Fail("the program was closed");
  CancelActions();
  if (restore_.writing()) restore_.Cancel();
}

// A read or a readout under way may be cut off: it changes nothing in the radio.
bool AdjustTask::EndReady() const { return putBack_.settled() && restore_.phase() != RestoreWrite::Phase::kWriting; }

void AdjustTask::EndNow() {
  BeginEnd();
  if (!seq_.OpRunning()) putBack_.Delivered();
  DropPutBack(common::TrNoop("qxt", "the program having ended before they could be sent"));
  restore_.Abandon(ending_);
}

// ---- restore, revert, undo ----

std::optional<std::string> AdjustTask::RestoreRefusal(const Bytes& file) const {
  return restore_.Refusal(file, editEnabled() && !actions_.running() && !ending_, connection_.lastBackup());
}

std::optional<std::string> AdjustTask::StartRestore(const Bytes& file, const std::string& path) {
  if (auto refusal = RestoreRefusal(file)) {
    keeper_.RestoreRefused(path, *refusal);
    return refusal;
  }
  CancelActions();
  machine_.Enter(OpState::kIdle);  // the steady cycle rests; the check read starts it again
  restore_.Start(file, path);
  Refresh();
  return std::nullopt;
}

// Once the write has ended, the check read follows as at a connection (which also reloads the
// items), or, when it was stopped, the work starts afresh with the report.
void AdjustTask::RunRestoreWrite() {
  switch (restore_.RunWrite()) {
    case RestoreControl::Write::kUnderWay:
      return;
    case RestoreControl::Write::kWritten:
      machine_.Enter(OpState::kCloneRead);
      connectReason_ = record::SendReason::kRestore;
      return;
    case RestoreControl::Write::kStopped:
      restore_.Report(ending_);
      Reset();
      return;
  }
}

bool AdjustTask::Adjustable(const std::string& what) {
  if (!editEnabled() || restoring()) {
    Notice(common::Compose(common::TrNoop("qxt", "%1 needs a connected radio."), {what}));
    return false;
  }
  if (actions_.running()) {
    Notice(common::Compose(common::TrNoop("qxt", "%1 is not possible while a procedure runs."), {what}));
    return false;
  }
  return true;
}

bool AdjustTask::RevertToRead() {
  if (!Adjustable(common::TrNoop("qxt", "Revert")) || !revert_.hasImage()) return false;
  revert_.RevertItems(console_, sender_, putBack_, radio_.eepImage());
  return true;
}

bool AdjustTask::Undo() {
  if (!Adjustable(common::TrNoop("qxt", "Undo"))) return false;
  if (revert_.UndoLast(console_, sender_)) return true;
  Notice(common::TrNoop("qxt", "Nothing to undo."));
  return false;
}

void AdjustTask::RememberKeyChange(int16_t item) {
  sender_.ItemReason(console_.E8Command(item), record::SendReason::kKey);
  if (editEnabled()) revert_.RememberKey(item, console_.Value(item));
}

}  // namespace qxt::adjust
