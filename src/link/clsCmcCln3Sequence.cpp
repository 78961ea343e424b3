#include "link/clsCmcCln3Sequence.h"

#include <algorithm>
#include <iterator>

#include "common/Common.h"

namespace qxt::link {

namespace {

// Actions one pass may start.
enum Action : int16_t {
  kNothing = 0,
  kSendInquiry = 1,
  kSendCloneRead = 2,
  kSendCloneWrite = 3,
  kSendLive = 4,
  kFail = 5,
  kFinish = 6,
};

// What decides between a step's two actions.
enum class FailWhen { kNever, kSequencerError, kDriverError };

struct Step {
  bool driverErrorIsError4;  // a driver error sets the sequencer's error 4
  bool identify;             // check the inquiry answer (when the driver had no error)
  FailWhen failWhen;
  int16_t actionOk;
  int16_t actionFail;
};

// Row i is step i; the last row serves every later step.
constexpr Step kInquirySteps[] = {
    {false, false, FailWhen::kNever, kSendInquiry, kSendInquiry},
    {false, false, FailWhen::kNever, kFinish, kFinish},
};
constexpr Step kCloneReadSteps[] = {
    {false, false, FailWhen::kNever, kSendInquiry, kSendInquiry},
    {true, true, FailWhen::kSequencerError, kNothing, kFail},
    {true, false, FailWhen::kSequencerError, kNothing, kFail},
    {true, false, FailWhen::kDriverError, kSendCloneRead, kFail},
    {false, false, FailWhen::kDriverError, kNothing, kFail},
    {false, false, FailWhen::kDriverError, kFinish, kFail},
};
constexpr Step kCloneWriteSteps[] = {
    {false, false, FailWhen::kNever, kSendInquiry, kSendInquiry},
    {true, true, FailWhen::kSequencerError, kSendCloneWrite, kFail},
    {false, false, FailWhen::kDriverError, kFinish, kFail},
};
constexpr Step kLiveCommandSteps[] = {
    {false, false, FailWhen::kNever, kSendLive, kSendLive},
    {false, false, FailWhen::kDriverError, kFinish, kFail},
};

template <size_t N>
const Step& StepOf(const Step (&table)[N], int16_t stepNo) {
  return table[std::min<size_t>(static_cast<size_t>(std::max<int16_t>(stepNo, 0)), N - 1)];
}

std::string HexAt(const Bytes& info, size_t from, size_t to) {
  if (info.size() < to) return {};
  return common::ByteStrToHexStr(Bytes(info.begin() + static_cast<std::ptrdiff_t>(from) - 1, info.begin() + to));
}

}  // namespace

clsCmcCln3Sequence::clsCmcCln3Sequence(frmCom& com, memory::clsCmcRadio& radio, const common::TickSource& ticks)
    : com_(com), radio_(radio), tickHold_(ticks) {
  Reset();
  comPortNo_ = 1;
  comHoldReload_ = 0;
}

void clsCmcCln3Sequence::Reset() {
  com_.cln3D.Reset();
  com_.Reset();
  Standby();
}

void clsCmcCln3Sequence::Standby() {
  operation_ = kStandby;
  stepNo_ = 0;
  e8HexStrToSend_.clear();
}

void clsCmcCln3Sequence::easyReset(int16_t portNo) {
  Reset();
  comPortNo_ = portNo;
}

void clsCmcCln3Sequence::easyCloneRead() {
  Operation(kCloneRead);
  start();
}

void clsCmcCln3Sequence::easyCloneWrite() {
  Operation(kCloneWrite);
  start();
}

bool clsCmcCln3Sequence::easySendE8NoAnswer(const std::string& spE8) {
  Operation(kLiveCommand);
  e8HexStrToSend_ = spE8;
  start();
  return OpRunning();
}

bool clsCmcCln3Sequence::easySendE8ReqAnswer(const std::string& spE8) {
  Operation(kLiveCommand);
  e8HexStrToSend_ = spE8;
  e8AnsRequired_ = true;
  start();
  return OpRunning();
}

void clsCmcCln3Sequence::comHoldReload(int32_t t) {
  comHoldReload_ = t;
  tickHold_.counter(t);
}

void clsCmcCln3Sequence::Operation(int16_t op) {
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
  if (info.size() < 59) return 0;
  if (info[58] & 32) return 2;
  if (info[58] & 16) return 1;
  return 0;
}

void clsCmcCln3Sequence::task() {
  const bool busy = operation_ != kStandby;
  if (busy && !com_.cln3D.Running()) {
    nextAction_ = chooseAction();
    if (nextAction_ == kFail) {
      com_.comOpen(false);
      if (main_ != nullptr) main_->MsgBoxCloneErr(*this);
    }
    ++stepNo_;
    if (nextAction_ == kFail) nextAction_ = kFinish;
    if (nextAction_ != kNothing) doAction(nextAction_);
  }
  if (busy) {
    tickHold_.counter(comHoldReload_);
  } else if (comHoldReload_ > 0 && tickHold_.counter() == 0 && com_.comOpen()) {
    Reset();
  }
}

int16_t clsCmcCln3Sequence::chooseAction() {
  const Step* step = nullptr;
  switch (operation_) {
    case kInquiry:
      step = &StepOf(kInquirySteps, stepNo_);
      break;
    case kCloneRead:
      step = &StepOf(kCloneReadSteps, stepNo_);
      break;
    case kCloneWrite:
      step = &StepOf(kCloneWriteSteps, stepNo_);
      break;
    case kLiveCommand:
      step = &StepOf(kLiveCommandSteps, stepNo_);
      break;
    default:
      return kNothing;
  }
  const bool driverError = com_.cln3D.lastError() != 0;
  if (step->driverErrorIsError4 && driverError) {
    error_ = kDriverFailed;
  } else if (step->identify) {
    identify();
  }
  bool fail = (step->failWhen == FailWhen::kSequencerError && error_ != 0) ||
              (step->failWhen == FailWhen::kDriverError && driverError);
  return fail ? step->actionFail : step->actionOk;
}

// Each failed check overwrites the error; the sub code is taken whenever it is accepted.
void clsCmcCln3Sequence::identify() {
  if (ansNameM() != radio_.radioNameM()) error_ = kModelDiffers;
  if (HexAt(ansInfo(), 43, 43) != "06") error_ = kNotCompatible;
  const std::string nameS = ansNameS();
  const bool legal = identity_ != nullptr && identity_->RigOpFunc_CheckSubNameLegal(nameS);
  if (!legal) {
    error_ = kSubRefused;
    return;
  }
  radio_.radionameS(nameS);
  if (operation_ == kCloneRead) identity_->RigK70ROp_Digital_Option(ansDigOp() != 0);
}

void clsCmcCln3Sequence::prepareLink() {
  com_.cln3D.lastError(0);
  error_ = 0;
  com_.comPortNum(comPortNo_);
}

void clsCmcCln3Sequence::sendHex(const std::string& hexText) { com_.cln3D.Send(common::HexStrToByteStr(hexText)); }

void clsCmcCln3Sequence::doAction(int16_t action) {
  clsCmcCln3Drv& drv = com_.cln3D;
  switch (action) {
    case kSendInquiry:
      prepareLink();
      com_.comOpen(true);
      drv.workMode(1);
      sendHex("E0" + radio_.radioNameM() + "0000");
      break;
    case kSendCloneRead:
      prepareLink();
      com_.comOpen(true);
      drv.workMode(2);
      drv.myEep(&radio_.eepImage());
      sendHex("E2" + radio_.radioNameM() + radio_.radionameS());
      break;
    case kSendCloneWrite:
      prepareLink();
      com_.comOpen(true);
      drv.workMode(3);
      drv.myEep(&radio_.eepImage());
      drv.sizDataOfPacket(16);
      drv.cloneWriteAdrList(radio_.cloneWriteAdrList());
      sendHex("E3" + radio_.radioNameM() + radio_.radionameS());
      break;
    case kSendLive:
      prepareLink();
      com_.comOpen(true);
      drv.workMode(5);
      drv.waitAnswer(e8AnsRequired_);
      drv.retryCount(2);
      sendHex("E8" + radio_.radioNameM() + radio_.radionameS() + e8HexStrToSend_);
      break;
    case kFinish:
      stepNo_ = 0;
      Standby();
      break;
    default:
      break;
  }
}

}  // namespace qxt::link
