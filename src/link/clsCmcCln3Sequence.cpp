#include "link/clsCmcCln3Sequence.h"

#include <algorithm>
#include <iterator>

#include "common/Common.h"
#include "link/Protocol.h"

namespace qxt::link {

namespace {

// What decides between a step's two actions.
enum class FailWhen { kNever, kSequencerError, kDriverError };

template <class Action>
struct Step {
  bool driverErrorIsError4;  // a driver error sets the sequencer's kDriverFailed
  bool identify;             // check the inquiry answer (when the driver had no error)
  FailWhen failWhen;
  Action actionOk;
  Action actionFail;
};

// Row i is step i; the last row serves every later step.
template <class Action, size_t N>
const Step<Action>& StepOf(const Step<Action> (&table)[N], int16_t stepNo) {
  return table[std::min<size_t>(static_cast<size_t>(std::max<int16_t>(stepNo, 0)), N - 1)];
}

std::string HexAt(const Bytes& info, size_t from, size_t to) {
  if (info.size() < to) return {};
  return common::ByteStrToHexStr(Bytes(info.begin() + static_cast<std::ptrdiff_t>(from) - 1, info.begin() + to));
}

Bytes Cat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

Bytes WithCode(wire::Command code, const Bytes& rest) { return Cat({static_cast<uint8_t>(code)}, rest); }

}  // namespace

clsCmcCln3Sequence::clsCmcCln3Sequence(frmCom& com, memory::clsCmcRadio& radio, const common::TickSource& ticks,
                                       MainWindowHooks& main, IdentityHooks& identity)
    : com_(com), drv_(com.cln3D()), radio_(radio), main_(main), identity_(identity), tickHold_(ticks) {
  Reset();
  comPortNo_ = 1;
  comHoldReload_ = 0;
}

void clsCmcCln3Sequence::Reset() {
  drv_.Reset();
  com_.Reset();
  Standby();
}

void clsCmcCln3Sequence::Standby() {
  operation_ = link::Operation::kStandby;
  stepNo_ = 0;
  live_.reset();
  liveData_.clear();
}

void clsCmcCln3Sequence::easyReset(int16_t portNo) {
  Reset();
  comPortNo_ = portNo;
}

void clsCmcCln3Sequence::easyCloneRead() {
  setOperation(link::Operation::kCloneRead);
  start();
}

void clsCmcCln3Sequence::easyCloneWrite() {
  setOperation(link::Operation::kCloneWrite);
  start();
}

bool clsCmcCln3Sequence::SendText(const std::string& hexText, bool ask) {
  const Bytes data = common::HexStrToByteStr(hexText);
  return StartLive(wire::DecodeLiveCommand(data), data, ask);
}

// With the driver idle the frame goes out at once, as the operation's first step would write it.
bool clsCmcCln3Sequence::StartLive(std::optional<LiveCommand> command, const Bytes& data, bool ask) {
  setOperation(link::Operation::kLiveCommand);
  live_ = command;
  liveData_ = data;
  e8AnsRequired_ = ask;
  if (drv_.Running()) {
    start();
    return OpRunning();
  }
  stepNo_ = 1;
  doAction(Action::kSendLive);
  tickHold_.counter(comHoldReload_);
  return OpRunning();
}

void clsCmcCln3Sequence::setComHoldReload(int32_t t) {
  comHoldReload_ = t;
  tickHold_.counter(t);
}

void clsCmcCln3Sequence::setOperation(link::Operation op) {
  e8AnsRequired_ = false;
  operation_ = op;
}

void clsCmcCln3Sequence::start() {
  stepNo_ = 0;
  task();
}

std::string clsCmcCln3Sequence::ansNameM() const { return HexAt(ansInfo(), 4, 5); }

std::string clsCmcCln3Sequence::ansNameS() const { return HexAt(ansInfo(), 6, 7); }

int16_t clsCmcCln3Sequence::ansDigOp() const {
  const Bytes& info = ansInfo();
  if (info.size() < wire::kOptionsPos) return 0;
  const uint8_t options = info[wire::kOptionsPos - 1];
  if (options & 32) return 2;
  if (options & 16) return 1;
  return 0;
}

void clsCmcCln3Sequence::task() {
  const bool busy = operation_ != link::Operation::kStandby;
  if (busy && !drv_.Running()) {
    Action action = chooseAction();
    if (action == Action::kFail) {
      com_.setComOpen(false);
      // A failure of the port or the exchange is the cause; the sequencer's own code only when
      // neither failed.
      main_.MsgBoxCloneErr(com_.failure().value_or(LinkFailure::Sequencer(error_)));
      action = Action::kFinish;
    }
    ++stepNo_;
    if (action != Action::kNothing) doAction(action);
  }
  if (busy) {
    tickHold_.counter(comHoldReload_);
  } else if (comHoldReload_ > 0 && tickHold_.counter() == 0 && com_.comOpen()) {
    Reset();
  }
}

clsCmcCln3Sequence::Action clsCmcCln3Sequence::chooseAction() {
  using A = Action;
  static constexpr Step<A> kInquirySteps[] = {
      {false, false, FailWhen::kNever, A::kSendInquiry, A::kSendInquiry},
      {false, false, FailWhen::kNever, A::kFinish, A::kFinish},
  };
  static constexpr Step<A> kCloneReadSteps[] = {
      {false, false, FailWhen::kNever, A::kSendInquiry, A::kSendInquiry},
      {true, true, FailWhen::kSequencerError, A::kNothing, A::kFail},
      {true, false, FailWhen::kSequencerError, A::kNothing, A::kFail},
      {true, false, FailWhen::kDriverError, A::kSendCloneRead, A::kFail},
      {false, false, FailWhen::kDriverError, A::kNothing, A::kFail},
      {false, false, FailWhen::kDriverError, A::kFinish, A::kFail},
  };
  static constexpr Step<A> kCloneWriteSteps[] = {
      {false, false, FailWhen::kNever, A::kSendInquiry, A::kSendInquiry},
      {true, true, FailWhen::kSequencerError, A::kSendCloneWrite, A::kFail},
      {false, false, FailWhen::kDriverError, A::kFinish, A::kFail},
  };
  static constexpr Step<A> kLiveCommandSteps[] = {
      {false, false, FailWhen::kNever, A::kSendLive, A::kSendLive},
      {false, false, FailWhen::kDriverError, A::kFinish, A::kFail},
  };
  const Step<A>* step = nullptr;
  switch (operation_) {
    case link::Operation::kInquiry:
      step = &StepOf(kInquirySteps, stepNo_);
      break;
    case link::Operation::kCloneRead:
      step = &StepOf(kCloneReadSteps, stepNo_);
      break;
    case link::Operation::kCloneWrite:
      step = &StepOf(kCloneWriteSteps, stepNo_);
      break;
    case link::Operation::kLiveCommand:
      step = &StepOf(kLiveCommandSteps, stepNo_);
      break;
    default:
      return A::kNothing;
  }
  const bool driverError = drv_.lastError() != DriverError::kNone;
  if (step->driverErrorIsError4 && driverError) {
    error_ = SequencerError::kDriverFailed;
  } else if (step->identify) {
    identify();
  }
  const bool fail = (step->failWhen == FailWhen::kSequencerError && error_ != SequencerError::kNone) ||
                    (step->failWhen == FailWhen::kDriverError && driverError);
  return fail ? step->actionFail : step->actionOk;
}

// Each failed check overwrites the error; the sub code is taken whenever it is accepted.
void clsCmcCln3Sequence::identify() {
  if (ansNameM() != radio_.radioNameM()) error_ = SequencerError::kModelDiffers;
  if (HexAt(ansInfo(), wire::kCompatiblePos, wire::kCompatiblePos) != common::ByteToHex2(wire::kCompatible)) {
    error_ = SequencerError::kNotCompatible;
  }
  const std::string nameS = ansNameS();
  if (!identity_.RigOpFunc_CheckSubNameLegal(nameS)) {
    error_ = SequencerError::kSubRefused;
    return;
  }
  radio_.radionameS(nameS);
  if (operation_ == link::Operation::kCloneRead) identity_.RigK70ROp_Digital_Option(ansDigOp() != 0);
}

void clsCmcCln3Sequence::prepareLink() {
  drv_.setLastError(DriverError::kNone);
  error_ = SequencerError::kNone;
  com_.setComPortNum(comPortNo_);
  com_.setComOpen(true);
}

// A frame the driver cannot take (one still going out, the port's buffer full) fails the
// operation as a lost echo would: the next pass finds the code and ends it with its message.
// A frame written is told to the observers.
void clsCmcCln3Sequence::write(const Bytes& data, const SentFrame& frame) {
  if (drv_.Send(data) != common::Outcome::kDone) {
    drv_.setNowError(DriverError::kWriteNotSent);
    return;
  }
  for (FrameObserver* observer : observers_) observer->FrameSent(frame);
}

void clsCmcCln3Sequence::doAction(Action action) {
  const Bytes codes = common::HexStrToByteStr(radio_.radioNameM() + radio_.radionameS());
  switch (action) {
    case Action::kSendInquiry:
      prepareLink();
      drv_.setWorkMode(WorkMode::kInquiry);
      write(WithCode(wire::Command::kInquiry, common::HexStrToByteStr(radio_.radioNameM() + "0000")),
            {wire::Command::kInquiry, std::nullopt, true});
      break;
    case Action::kSendCloneRead:
      prepareLink();
      drv_.setWorkMode(WorkMode::kCloneRead);
      drv_.myEep(&radio_.eepImage());
      write(WithCode(wire::Command::kCloneRead, codes), {wire::Command::kCloneRead, std::nullopt, true});
      break;
    case Action::kSendCloneWrite:
      prepareLink();
      drv_.setWorkMode(WorkMode::kCloneWrite);
      drv_.myEep(&radio_.eepImage());
      drv_.sizDataOfPacket(16);
      drv_.cloneWriteAdrList(radio_.cloneWriteAdrList());
      write(WithCode(wire::Command::kCloneWrite, codes), {wire::Command::kCloneWrite, std::nullopt, false});
      break;
    case Action::kSendLive:
      prepareLink();
      drv_.setWorkMode(WorkMode::kLive);
      drv_.setWaitAnswer(e8AnsRequired_);
      drv_.retryCount(2);
      write(live_ ? wire::LiveCommandData(codes, *live_) : WithCode(wire::Command::kLive, Cat(codes, liveData_)),
            {wire::Command::kLive, live_, e8AnsRequired_});
      break;
    case Action::kFinish:
      Standby();
      break;
    default:
      break;
  }
}

}  // namespace qxt::link
