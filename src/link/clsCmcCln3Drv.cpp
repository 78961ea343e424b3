#include "link/clsCmcCln3Drv.h"

#include <algorithm>
#include <cstddef>

#include "common/Common.h"
#include "link/Protocol.h"

namespace qxt::link {

namespace {

using wire::Command;

// Body positions from..to (1-based, inclusive); the caller has checked the length.
Bytes Slice(const Bytes& body, size_t from, size_t to) { return Bytes(body.begin() + from - 1, body.begin() + to); }

bool Is(const Bytes& body, Command code) { return body[2] == static_cast<uint8_t>(code); }

}  // namespace

clsCmcCln3Drv::clsCmcCln3Drv(DriverPort& port, const common::TickSource& ticks)
    : port_(port), tickRx_(ticks), tickTot_(ticks) {}

void clsCmcCln3Drv::setWorkMode(WorkMode mode) {
  workMode_ = mode;
  liveAnswer_.reset();
  // An identification is judged by its own answer, never by one left from an earlier exchange.
  if (mode == WorkMode::kInquiry) ansInfo_.clear();
  lastEeAdr_ = 0;
  waitAnswer_ = mode == WorkMode::kInquiry || mode == WorkMode::kCloneRead || mode == WorkMode::kCloneWriteEnd;
  if (mode == WorkMode::kCloneRead) startCoverage();
  if (mode == WorkMode::kCloneWrite) cancelWrite_ = writeCancelled_ = false;
}

void clsCmcCln3Drv::cloneWriteAdrList(const std::string& sp) { areas_.Reset(sp); }

void clsCmcCln3Drv::setNowError(DriverError c) {
  nowError_ = c;
  if (c != DriverError::kNone) {
    lastError_ = c;
    failure_ = LinkFailure::Driver(c);
  }
  endExchange();
}

bool clsCmcCln3Drv::SendEnable() const {
  return sendReady_ && port_.comSendEnable() && (port_.OutBufferSize() - port_.OutBufferCount()) > 256;
}

common::Outcome clsCmcCln3Drv::Send(const Bytes& data) {
  const common::Outcome result = RealSend(data);
  retriesLeft_ = retryCount_;
  return result;
}

common::Outcome clsCmcCln3Drv::RetrySend() {
  if (retriesLeft_ < 1) return common::Outcome::kRefused;
  endExchange();
  const common::Outcome result = RealSend(lastData_);
  --retriesLeft_;
  return result;
}

common::Outcome clsCmcCln3Drv::RealSend(const Bytes& data) {
  if (!sendBuf_.empty() || !SendEnable()) return common::Outcome::kRefused;
  lastData_ = data;
  sendBuf_ = wire::FrameToRadio(data);
  port_.Output(sendBuf_);
  sendReady_ = false;
  if (waitEcho()) {
    setPhase(RxPhase::kEcho);
    running_ = true;
  } else if (waitAnswer_) {
    setPhase(RxPhase::kAnswer);
    running_ = true;
  } else {
    endExchange();
  }
  setTot();
  return common::Outcome::kDone;
}

void clsCmcCln3Drv::task() {
  if (rxPhase_ == RxPhase::kEcho) {
    if (tickRx_.counter() == 0) setNowError(DriverError::kNoEcho);
  } else if (rxPhase_ == RxPhase::kAnswer) {
    if (tickRx_.counter() == 0 && RetrySend() != common::Outcome::kDone) setNowError(DriverError::kNoAnswer);
  }
}

void clsCmcCln3Drv::Reset() {
  endExchange();
  ClearRxBuffer();
  areas_.Clear();
  nowError_ = DriverError::kNone;
}

void clsCmcCln3Drv::SendFE(int16_t Wt) {
  sendBuf_.insert(sendBuf_.end(), static_cast<size_t>(std::max<int16_t>(Wt, 0)), wire::kPreamble);
  port_.Output(sendBuf_);
}

void clsCmcCln3Drv::endExchange() {
  rxPhase_ = RxPhase::kIdle;
  sendBuf_.clear();
  running_ = false;
  retryCount_ = 0;
  sendReady_ = true;
}

void clsCmcCln3Drv::setPhase(RxPhase p) {
  rxPhase_ = p;
  if (p == RxPhase::kEcho) tickRx_.counter(kEchoTimeout);
  if (p == RxPhase::kAnswer) tickRx_.counter(kAnswerTimeout);
}

void clsCmcCln3Drv::read(const Bytes& bytes) {
  Bytes rx = bytes;
  size_t pos = 0;
  while (pos < rx.size()) {
    const RxPhase phase = rxPhase_;
    const FrameReceiver::Event event = receiver_.Take(phase, sendBuf_, rx, pos);
    if (event == FrameReceiver::Event::kEcho) onEcho();
    if (event == FrameReceiver::Event::kFrame) {
      onRxEvent(receiver_.body(), receiver_.overlong());
      receiver_.Clear();
    }
  }
}

// The echo has arrived: wait for the answer, go on with the clone write's next frame, or end a
// frame that awaits nothing more.
void clsCmcCln3Drv::onEcho() {
  if (waitAnswer_) {
    setPhase(RxPhase::kAnswer);
  } else if (workMode_ == WorkMode::kCloneWrite) {
    endExchange();
    if (cancelWrite_) {
      writeCancelled_ = true;
      return;
    }
    sendNextWriteFrame();
  } else {
    endExchange();
  }
}

// The next block of the area list, or the end frame once the list is exhausted.
void clsCmcCln3Drv::sendNextWriteFrame() {
  common::Outcome result;
  if (areas_.next() < 0) {
    setWorkMode(WorkMode::kCloneWriteEnd);
    result = Send(wire::CloneEndCommand());
  } else {
    result = Send(makeWriteBlock());
  }
  if (result != common::Outcome::kDone) setNowError(DriverError::kWriteNotSent);
}

void clsCmcCln3Drv::onRxEvent(const Bytes& body, bool overlong) {
  if (body.size() < 3 || body[0] != wire::kToPc || body[1] != wire::kToRadio || !expected(body[2])) return;
  if (overlong) {
    setNowError(DriverError::kInvalidAnswer);  // longer than any frame: never taken as a cut-down one
    return;
  }
  if (checkAnswer(body)) endExchange();
}

// The answers each work mode waits for; any other frame is ignored while the time-out runs.
bool clsCmcCln3Drv::expected(uint8_t code) const {
  switch (workMode_) {
    case WorkMode::kInquiry:
      return code == static_cast<uint8_t>(Command::kIdentity);
    case WorkMode::kCloneRead:
      return code == static_cast<uint8_t>(Command::kCloneData) || code == static_cast<uint8_t>(Command::kCloneEnd);
    case WorkMode::kCloneWriteEnd:
      return code == static_cast<uint8_t>(Command::kWriteStatus);
    case WorkMode::kLive:
      return code == static_cast<uint8_t>(Command::kLive);
    default:
      return false;
  }
}

bool clsCmcCln3Drv::checkAnswer(const Bytes& body) {
  if (Is(body, Command::kIdentity) && workMode_ == WorkMode::kInquiry) {
    if (!validAnswer(body)) {
      setNowError(DriverError::kInvalidAnswer);
      return false;
    }
    ansInfo_ = body;
    return true;
  }
  if (Is(body, Command::kCloneData) && workMode_ == WorkMode::kCloneRead) {
    const auto block = wire::DecodeCloneData(body);
    if (!block) {
      setNowError(DriverError::kInvalidAnswer);
      return false;
    }
    ++e4Count_;
    tickRx_.counter(kAnswerTimeout);
    if (!storeCloneData(*block)) setNowError(DriverError::kImageRefused);
    return false;  // more blocks follow
  }
  if (Is(body, Command::kCloneEnd) && workMode_ == WorkMode::kCloneRead) {
    const bool valid = validAnswer(body);
    if (valid && readComplete()) return true;
    // A count that agrees modulo 256 does not make a read complete: every address must be in.
    setNowError(countMismatch_ || valid ? DriverError::kCountMismatch : DriverError::kInvalidAnswer);
    return false;
  }
  if (Is(body, Command::kWriteStatus) && workMode_ == WorkMode::kCloneWriteEnd) {
    if (!validAnswer(body)) {
      setNowError(DriverError::kInvalidAnswer);
    } else if (body[3] == 0x00) {
      return true;
    } else {
      setNowError(DriverError::kWriteRefused);
    }
    return false;
  }
  if (Is(body, Command::kLive) && workMode_ == WorkMode::kLive) {
    const wire::LiveJudgement judged = wire::JudgeLiveAnswer(body, lastData_);
    if (!judged.frameValid) {
      setNowError(DriverError::kInvalidAnswer);
      return false;
    }
    liveAnswer_ = judged.answer;
    return true;
  }
  return false;  // another kind, or for another mode: ignored while the time-out runs
}

bool clsCmcCln3Drv::validAnswer(const Bytes& body) {
  switch (static_cast<Command>(body[2])) {
    case Command::kIdentity:
      return validIdentity(body);
    case Command::kCloneEnd:
      return validCloneEnd(body);
    case Command::kWriteStatus:
      return body.size() >= 4;  // a status byte must be there to be read
    default:
      return true;
  }
}

// All rules are evaluated; the end address is taken whether they passed or not.
bool clsCmcCln3Drv::validIdentity(const Bytes& body) {
  bool bad = !wire::CodesNumeric(body);
  bad = bad || body.size() < wire::kIdentityMinBody;
  bad = bad || body.size() < 8 || body[7] != body.size() - 7;
  bad = bad || body.size() < wire::kIdentityFullBody;  // the end address at 66..69 must be complete
  if (body.size() >= wire::kIdentityFullBody) {
    const int32_t v = common::AsciiHexToInt(Slice(body, wire::kEndAddressPos, wire::kIdentityFullBody));
    endAddress_ = v - (v % 16) + 16;
  }
  e4Count_ = 0;
  countMismatch_ = false;
  return !bad;
}

bool clsCmcCln3Drv::validCloneEnd(const Bytes& body) {
  if (body.size() < 14) return false;
  if (!std::equal(wire::kMakerText.begin(), wire::kMakerText.end(), body.begin() + 3)) return false;
  if (common::AsciiHexToInt(Slice(body, 13, 14)) != e4Count_) {
    countMismatch_ = true;
    return false;
  }
  return true;
}

bool clsCmcCln3Drv::storeCloneData(const wire::CloneBlock& block) {
  if (myEep_ == nullptr || myEep_->WriteBlock(block.address, block.data) != common::Outcome::kDone) return false;
  const auto end = block.address + static_cast<int32_t>(block.data.size());
  for (int32_t a = block.address; a < std::min(end, endAddress_); ++a) {
    if (!received_[static_cast<size_t>(a)]) {
      received_[static_cast<size_t>(a)] = true;
      ++receivedCount_;
    }
  }
  lastEeAdr_ = end - 1;
  return true;
}

void clsCmcCln3Drv::startCoverage() {
  received_.assign(static_cast<size_t>(std::max(endAddress_, 0)), false);
  receivedCount_ = 0;
}

Bytes clsCmcCln3Drv::makeWriteBlock() {
  const WriteAreaList::Block b = areas_.Take(sizDataOfPacket_);
  const Bytes data = myEep_ != nullptr ? myEep_->ReadBlock(b.address, b.count) : Bytes(static_cast<size_t>(b.count), 0);
  lastEeAdr_ = b.address + b.count - 1;
  return wire::CloneDataCommand(b.address, data);
}

}  // namespace qxt::link
