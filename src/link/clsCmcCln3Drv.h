#pragma once
// The frame driver of the cloning protocol: wraps a command into a frame, writes it, recognises
// the cable's echo of it, collects and checks the transceiver's answers, stores clone data into
// the EEPROM image, keeps a clone write's block stream going, and watches the echo and answer
// time-outs with retries. The wire format is in Protocol.h. The sequencer sets it up for one
// exchange at a time (workMode and friends, then Send) and watches Running and lastError.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/Bytes.h"
#include "common/Outcome.h"
#include "common/clsCmcTick.h"
#include "link/DriverError.h"
#include "link/DriverPort.h"
#include "link/FrameReceiver.h"
#include "link/LinkFailure.h"
#include "link/LiveCommand.h"
#include "link/Protocol.h"
#include "link/WriteAreaList.h"
#include "memory/clsCmcEeprom.h"

namespace qxt::link {

// What the current exchange is part of.
enum class WorkMode : int16_t {
  kNone = 0,
  kInquiry = 1,
  kCloneRead = 2,
  kCloneWrite = 3,
  kCloneWriteEnd = 4,
  kLive = 5,
};

class clsCmcCln3Drv {
 public:
  static constexpr int32_t kEchoTimeout = 1000;
  static constexpr int32_t kAnswerTimeout = 1200;

  clsCmcCln3Drv(DriverPort& port, const common::TickSource& ticks);

  // The image that a clone read fills and a clone write reads.
  void myEep(memory::clsCmcEeprom* eep) { myEep_ = eep; }

  // Also forgets the last live answer and the last address, and decides whether an answer is
  // awaited (inquiry, clone read and clone-write end).
  void setWorkMode(WorkMode mode);
  WorkMode workMode() const { return workMode_; }
  void setWaitAnswer(bool v) { waitAnswer_ = v; }
  bool waitAnswer() const { return waitAnswer_; }
  void retryCount(int16_t v) { retryCount_ = v; }
  void sizDataOfPacket(int16_t v) { sizDataOfPacket_ = v; }
  void cloneWriteAdrList(const std::string& sp);

  bool Running() const { return running_; }
  const Bytes& ansInfo() const { return ansInfo_; }
  int32_t lastEeAdr() const { return lastEeAdr_; }
  // The answer of the live command last asked, judged once on arrival; taking it forgets it.
  std::optional<LiveAnswer> TakeLiveAnswer() { return std::exchange(liveAnswer_, std::nullopt); }
  int32_t EndAddress() const { return endAddress_; }
  int32_t nextWriteAdr() const { return areas_.next(); }
  RxPhase rxPhase() const { return rxPhase_; }

  // Writing a code ends the exchange; a code other than kNone is also kept as lastError.
  void setNowError(DriverError c);
  DriverError nowError() const { return nowError_; }
  DriverError lastError() const { return lastError_; }
  void setLastError(DriverError v) {
    lastError_ = v;
    failure_ = v == DriverError::kNone ? std::nullopt : std::optional(LinkFailure::Driver(v));
  }
  // The failure behind lastError, as it was made when the exchange failed.
  const std::optional<LinkFailure>& failure() const { return failure_; }

  bool SendEnable() const;
  bool waitEcho() const { return workMode_ != WorkMode::kNone; }

  // Asks a running clone write to stop after the block whose echo it waits for: the write then
  // ends without an error and without its end frame (writeCancelled), the radio partly written.
  void CancelCloneWrite() { cancelWrite_ = true; }
  bool writeCancelled() const { return writeCancelled_; }
  // Bytes of 0..EndAddress-1 that the clone read in progress (or the last one) has stored.
  int32_t bytesReceived() const { return receivedCount_; }

  // Writes the frame and starts its exchange; refused while one runs or the port cannot take it.
  // Every frame waits for its echo; an answer follows where one is awaited.
  common::Outcome Send(const Bytes& data);
  common::Outcome RetrySend();
  common::Outcome RealSend(const Bytes& data);

  void read(const Bytes& bytes);
  void task();
  void Reset();
  void ClearRxBuffer() { receiver_.Clear(); }
  void SendFE(int16_t Wt);
  void setTot() { tickTot_.counter(5000); }

  // The data of the next clone-write E4 command; advances through the area list.
  Bytes makeWriteBlock();

 private:
  void endExchange();
  void setPhase(RxPhase p);
  void onRxEvent(const Bytes& body, bool overlong);
  void onEcho();
  void sendNextWriteFrame();
  bool expected(uint8_t code) const;
  // True when the exchange is complete; false to keep waiting.
  bool checkAnswer(const Bytes& body);
  bool validAnswer(const Bytes& body);
  bool validIdentity(const Bytes& body);
  bool validCloneEnd(const Bytes& body);
  bool storeCloneData(const wire::CloneBlock& block);
  void startCoverage();
  bool readComplete() const { return receivedCount_ == endAddress_; }

  DriverPort& port_;
  memory::clsCmcEeprom* myEep_ = nullptr;
  FrameReceiver receiver_;
  WorkMode workMode_ = WorkMode::kNone;
  bool waitAnswer_ = false;
  int16_t retryCount_ = 0;
  int16_t retriesLeft_ = 0;
  int16_t sizDataOfPacket_ = 16;
  WriteAreaList areas_;
  int32_t lastEeAdr_ = 0;
  int32_t endAddress_ = memory::clsCmcEeprom::kDefaultSize;
  bool running_ = false;
  DriverError nowError_ = DriverError::kNone;
  DriverError lastError_ = DriverError::kNone;
  std::optional<LinkFailure> failure_;
  Bytes ansInfo_;
  std::optional<LiveAnswer> liveAnswer_;
  Bytes sendBuf_;
  Bytes lastData_;
  RxPhase rxPhase_ = RxPhase::kIdle;
  bool sendReady_ = true;
  uint8_t e4Count_ = 0;
  bool countMismatch_ = false;
  std::vector<bool> received_;  // by address, 0..EndAddress-1, for the clone read in progress
  int32_t receivedCount_ = 0;
  bool cancelWrite_ = false;
  bool writeCancelled_ = false;
  common::clsCmcTick tickRx_;
  common::clsCmcTick tickTot_;
};

}  // namespace qxt::link
