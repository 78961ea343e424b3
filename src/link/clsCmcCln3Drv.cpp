#include "link/clsCmcCln3Drv.h"

#include <algorithm>
#include <cstddef>

#include "common/Common.h"

namespace qxt::link {

namespace {

constexpr uint8_t kPreamble = 0xFE;
constexpr uint8_t kEnd = 0xFD;
constexpr uint8_t kToRadio = 0xEE;
constexpr uint8_t kToPc = 0xEF;
// "Tavo Inc.", closing every clone transfer.
const Bytes kMakerText = {0x54, 0x61, 0x76, 0x6F, 0x20, 0x49, 0x6E, 0x63, 0x2E};

int HexDigit(uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Body positions from..to (1-based, inclusive); the caller has checked the length.
Bytes Slice(const Bytes& body, size_t from, size_t to) { return Bytes(body.begin() + from - 1, body.begin() + to); }

bool DecimalDigitsOnly(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The model and sub code at positions 4..7 must read as a number: decimal digits.
bool CodesNumeric(const Bytes& body) { return DecimalDigitsOnly(common::ByteStrToHexStr(Slice(body, 4, 7))); }

int16_t HexTextValue(const std::string& text) { return common::AsciiHexToInt(common::StrToByteStr(text)); }

}  // namespace

clsCmcCln3Drv::clsCmcCln3Drv(const common::TickSource& ticks) : tickRx_(ticks), tickTot_(ticks) {}

void clsCmcCln3Drv::workMode(int16_t mode) {
  workMode_ = mode;
  varLastE8Answer_.clear();
  lastEeAdr_ = 0;
  waitAnswer_ = mode == 1 || mode == 2 || mode == 4;
}

void clsCmcCln3Drv::cloneWriteAdrList(const std::string& sp) {
  cloneWriteAdrList_ = sp;
  nextWriteAdr_ = HexTextValue(sp.substr(0, 4));
}

void clsCmcCln3Drv::nowError(int16_t c) {
  nowError_ = c;
  if (c != 0) lastError_ = c;
  endExchange();
}

bool clsCmcCln3Drv::SendEnable() const {
  return sendReady_ && myObjCom != nullptr && myObjCom->comSendEnable() &&
         (myObjCom->OutBufferSize() - myObjCom->OutBufferCount()) > 256;
}

int16_t clsCmcCln3Drv::Send(const Bytes& data) {
  int16_t result = RealSend(data);
  retriesLeft_ = retryCount_;
  return result;
}

int16_t clsCmcCln3Drv::RetrySend() {
  if (retriesLeft_ < 1) return 1;
  endExchange();
  int16_t result = RealSend(lastData_);
  --retriesLeft_;
  return result;
}

int16_t clsCmcCln3Drv::RealSend(const Bytes& data) {
  if (!sendBuf_.empty() || !SendEnable()) return 1;
  lastData_ = data;
  sendBuf_ = {kPreamble, kPreamble, kToRadio, kToPc};
  sendBuf_.insert(sendBuf_.end(), data.begin(), data.end());
  sendBuf_.push_back(kEnd);
  if (workMode_ == 5) sentSubCmd_ = data.size() >= 6 ? data[5] : 0;
  myObjCom->Output(sendBuf_);
  sendReady_ = false;
  if (waitEcho()) {
    setPhase(1);
    running_ = true;
  } else if (waitAnswer_) {
    setPhase(2);
    running_ = true;
  } else {
    endExchange();
  }
  setTot();
  // A frame that awaits no answer is only written: its echo is dropped by read (phase 0).
  if (!waitAnswer_) endExchange();
  return 0;
}

void clsCmcCln3Drv::task() {
  if (rxPhase_ == 1) {
    if (tickRx_.counter() == 0) nowError(1);
  } else if (rxPhase_ == 2) {
    if (tickRx_.counter() == 0 && RetrySend() != 0) nowError(2);
  }
}

void clsCmcCln3Drv::Reset() {
  endExchange();
  ClearRxBuffer();
  nextWriteAdr_ = 0;
  nowError_ = 0;
}

void clsCmcCln3Drv::ClearRxBuffer() {
  rxBuf_.clear();
  rxOutside_ = true;
}

void clsCmcCln3Drv::SendFE(int16_t Wt) {
  sendBuf_.insert(sendBuf_.end(), static_cast<size_t>(std::max<int16_t>(Wt, 0)), kPreamble);
  if (myObjCom != nullptr) myObjCom->Output(sendBuf_);
}

void clsCmcCln3Drv::endExchange() {
  rxPhase_ = 0;
  sendBuf_.clear();
  running_ = false;
  retryCount_ = 0;
  sendReady_ = true;
}

void clsCmcCln3Drv::setPhase(int16_t p) {
  rxPhase_ = p;
  if (p == 1) tickRx_.counter(kEchoTimeout);
  if (p == 2) tickRx_.counter(kAnswerTimeout);
}

void clsCmcCln3Drv::read(const Bytes& bytes) {
  Bytes rx = bytes;
  size_t pos = 0;
  while (pos < rx.size()) {
    if (rxPhase_ == 1) {
      readEcho(rx, pos);
    } else if (rxPhase_ == 2) {
      readAnswer(rx, pos);
    } else {
      pos = rx.size();
    }
  }
}

// Looks for the whole frame just sent in what was kept of earlier chunks and in this chunk.
// The whole chunk is searched: when the answer follows the echo closely, one chunk may carry the
// echo and far more than a window of answer bytes. Between chunks only the last 256 bytes stay.
void clsCmcCln3Drv::readEcho(Bytes& rx, size_t& pos) {
  rxBuf_.insert(rxBuf_.end(), rx.begin() + static_cast<std::ptrdiff_t>(pos), rx.end());
  pos = rx.size();
  auto found = std::search(rxBuf_.begin(), rxBuf_.end(), sendBuf_.begin(), sendBuf_.end());
  if (sendBuf_.empty() || found == rxBuf_.end()) {
    if (rxBuf_.size() > kWindow) rxBuf_.erase(rxBuf_.begin(), rxBuf_.end() - kWindow);
    return;
  }
  Bytes rest(found + static_cast<std::ptrdiff_t>(sendBuf_.size()), rxBuf_.end());
  rxBuf_.clear();
  onRxEvent();
  rxOutside_ = true;
  rx = std::move(rest);  // what followed the echo, under the phase now in force
  pos = 0;
}

void clsCmcCln3Drv::readAnswer(Bytes& rx, size_t& pos) {
  const auto begin = rx.begin() + static_cast<std::ptrdiff_t>(pos);
  const auto fe = std::find(begin, rx.end(), kPreamble);
  const auto fd = std::find(begin, rx.end(), kEnd);
  if (fe == rx.end()) {
    if (rxOutside_) {
      pos = rx.size();
    } else if (fd == rx.end()) {
      appendBody(&*begin, rx.data() + rx.size());
      pos = rx.size();
    } else {
      appendBody(&*begin, &*fd);
      pos = static_cast<size_t>(fd - rx.begin());  // the FD stays and is dropped as outside
      frameComplete();
    }
  } else if (fd == rx.end() || fe < fd) {
    // A frame starts; further FE bytes at the front are skipped the same way.
    pos = static_cast<size_t>(fe - rx.begin()) + 1;
    rxOutside_ = false;
    rxBuf_.clear();
  } else if (rxOutside_) {
    // Bytes between frames up to the next FE are ignored; the frame after them is kept.
    pos = static_cast<size_t>(fe - rx.begin());
  } else {
    appendBody(&*begin, &*fd);
    pos = static_cast<size_t>(fd - rx.begin()) + 1;
    frameComplete();
  }
}

void clsCmcCln3Drv::appendBody(const uint8_t* first, const uint8_t* last) {
  rxBuf_.insert(rxBuf_.end(), first, last);
  if (rxBuf_.size() > kWindow) rxBuf_.erase(rxBuf_.begin(), rxBuf_.end() - kWindow);
}

void clsCmcCln3Drv::frameComplete() {
  onRxEvent();
  rxBuf_.clear();
  rxOutside_ = true;
}

void clsCmcCln3Drv::onRxEvent() {
  if (rxPhase_ == 1) {
    if (waitAnswer_) {
      setPhase(2);
    } else if (workMode_ == 3) {
      endExchange();
      int16_t result;
      if (nextWriteAdr_ < 0) {
        workMode(4);
        Bytes endFrame{0xE5};
        endFrame.insert(endFrame.end(), kMakerText.begin(), kMakerText.end());
        result = Send(endFrame);
      } else {
        result = Send(makeWriteBlock());
      }
      if (result != 0) nowError(8);
    } else if (workMode_ == 4 || workMode_ == 5) {
      endExchange();
    }
  } else if (rxPhase_ == 2) {
    varLastE8Answer_ = rxBuf_;
    if (checkAnswer(rxBuf_) == 0) endExchange();
  }
}

int16_t clsCmcCln3Drv::checkAnswer(const Bytes& body) {
  if (body.size() < 3 || body[0] != kToPc || body[1] != kToRadio) return 1;
  const uint8_t code = body[2];
  if (code == 0xE1 && workMode_ == 1) {
    if (answerInvalid(body)) {
      nowError(3);
    } else {
      ansInfo_ = body;
      return 0;
    }
  } else if (code == 0xE4 && workMode_ == 2) {
    if (answerInvalid(body)) {
      nowError(3);
    } else {
      tickRx_.counter(kAnswerTimeout);
      if (!storeCloneData(body)) nowError(5);
    }
  } else if (code == 0xE5 && workMode_ == 2) {
    if (!answerInvalid(body)) return 0;
    nowError(countMismatch_ ? 4 : 3);
  } else if (code == 0xE6 && workMode_ == 4) {
    if (answerInvalid(body)) {
      nowError(3);
    } else if (body[3] == 0x00) {
      return 0;
    } else {
      nowError(7);
    }
  } else if (code == 0xE8 && workMode_ == 5) {
    if (answerInvalid(body)) {
      nowError(3);
    } else {
      varLastE8Answer_ = Bytes(body.begin() + 3, body.end());
      return 0;
    }
  }
  return 1;
}

bool clsCmcCln3Drv::answerInvalid(const Bytes& body) {
  switch (body[2]) {
    case 0xE1:
      return invalidE1(body);
    case 0xE4:
      return invalidE4(body);
    case 0xE5:
      return invalidE5(body);
    case 0xE6:
      return body.size() < 4;  // a status byte must be there to be read
    case 0xE8:
      return invalidE8(body);
    default:
      return false;
  }
}

// All rules are evaluated; the end address is taken whether they passed or not.
bool clsCmcCln3Drv::invalidE1(const Bytes& body) {
  bool bad = body.size() < 7 || !CodesNumeric(body);
  bad = bad || body.size() < 59;
  bad = bad || body.size() < 8 || body[7] != body.size() - 7;
  bad = bad || body.size() < 69;  // the end address at 66..69 must be complete
  if (body.size() >= 69) {
    int32_t v = common::AsciiHexToInt(Slice(body, 66, 69));
    endAddress_ = v - (v % 16) + 16;
  }
  e4Count_ = 0;
  return bad;
}

bool clsCmcCln3Drv::invalidE4(const Bytes& body) {
  const size_t n = body.size();
  if (n % 2 == 0 || n < 13) return true;
  unsigned sum = 0;
  for (size_t i = 3; i + 1 < n; i += 2) {
    int hi = HexDigit(body[i]);
    int lo = HexDigit(body[i + 1]);
    if (hi < 0 || lo < 0) return true;
    sum += static_cast<unsigned>(hi * 16 + lo);
  }
  if (sum % 256 != 0) return true;
  if (static_cast<size_t>(common::AsciiHexToInt(Slice(body, 8, 9))) != (n - 11) / 2) return true;
  ++e4Count_;
  return false;
}

bool clsCmcCln3Drv::invalidE5(const Bytes& body) {
  if (body.size() < 14) return true;
  if (Slice(body, 4, 12) != kMakerText) return true;
  if (common::AsciiHexToInt(Slice(body, 13, 14)) != e4Count_) {
    countMismatch_ = true;
    return true;
  }
  return false;
}

bool clsCmcCln3Drv::invalidE8(const Bytes& body) const {
  return body.size() < 8 || !CodesNumeric(body) || body[7] != sentSubCmd_;
}

bool clsCmcCln3Drv::storeCloneData(const Bytes& body) {
  if (myEep_ == nullptr) return false;
  const int32_t address = common::AsciiHexToInt(Slice(body, 4, 7));
  const int32_t count = common::AsciiHexToInt(Slice(body, 8, 9));
  Bytes data;
  data.reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    size_t at = 9 + 2 * static_cast<size_t>(i);
    data.push_back(static_cast<uint8_t>(HexDigit(body[at]) * 16 + HexDigit(body[at + 1])));
  }
  if (myEep_->WriteBlock(address, data) != 0) return false;
  lastEeAdr_ = address + count - 1;
  return true;
}

Bytes clsCmcCln3Drv::makeWriteBlock() {
  const int32_t areaEnd = HexTextValue(cloneWriteAdrList_.substr(std::min<size_t>(5, cloneWriteAdrList_.size()), 4));
  const int32_t a = nextWriteAdr_;
  int32_t c = sizDataOfPacket_;
  if (a + c - 1 > areaEnd) c = std::max(areaEnd - a + 1, 0);
  Bytes block{static_cast<uint8_t>((a / 256) & 0xFF), static_cast<uint8_t>(a % 256), static_cast<uint8_t>(c)};
  Bytes data = myEep_ != nullptr ? myEep_->ReadBlock(a, c) : Bytes(static_cast<size_t>(c), 0);
  block.insert(block.end(), data.begin(), data.end());
  unsigned sum = 0;
  for (uint8_t b : block) sum += b;
  block.push_back(static_cast<uint8_t>((256 - sum % 256) % 256));
  Bytes frame{0xE4};
  Bytes ascii = common::StrToByteStr(common::ByteStrToHexStr(block));
  frame.insert(frame.end(), ascii.begin(), ascii.end());
  lastEeAdr_ = a + c - 1;
  if (a + c - 1 < areaEnd) {
    nextWriteAdr_ = a + c;
  } else {
    cloneWriteAdrList_.erase(0, std::min<size_t>(10, cloneWriteAdrList_.size()));
    nextWriteAdr_ = cloneWriteAdrList_.size() >= 10 ? HexTextValue(cloneWriteAdrList_.substr(0, 4)) : -1;
  }
  return frame;
}

}  // namespace qxt::link
