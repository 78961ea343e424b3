#pragma once
// The frame driver of the cloning protocol.
//
// Frame on the wire (raw bytes):
//   pos   | PC to transceiver      | transceiver to PC
//   1, 2  | FE FE (preamble)       | FE FE (one or more FE)
//   3     | EE (to the transceiver)| EF (to the PC)
//   4     | EF (from the PC)       | EE (from the transceiver)
//   5     | command code           | command code
//   6..n-1| command data           | answer data
//   n     | FD (end)               | FD (end)
// The cable echoes every byte the PC sends, so the PC reads its own frame back before the answer.
// FE and FD never occur inside a frame: addresses, counts, data and checksums travel as
// ASCII-hex (each hex digit as its character code), model and sub codes are decimal-digit bytes.
//
// Commands (M, S: model and sub code, two bytes each, for example 29 27 and 01 00):
//   E0 inquiry            M 00 00                              answer E1
//   E2 clone read         M S                                  answer E4 stream closed by E5
//   E3 clone write start  M S                                  no answer; E4 blocks, then E5
//   E4 clone data block   ASCII-hex: addr hi, addr lo, count c, c data bytes, checksum
//   E5 clone write end    maker text 54 61 76 6F 20 49 6E 63 2E answer E6
//   E8 live command       M S sub-command ...                  answer E8 when requested
//
// Answer bodies (the bytes between the last leading FE and the FD; positions from 1):
//   E1  1 EF | 2 EE | 3 E1 | 4-5 model | 6-7 sub | 8 length (= body length - 7) | 9.. identity;
//       43 = 06, 59 option bits, 66-69 last EEPROM address as four ASCII-hex digits
//   E4  1 EF | 2 EE | 3 E4 | 4-7 address | 8-9 count c | 10.. c data bytes | last 2 checksum
//       (all ASCII-hex pairs; the pair values from position 4 sum to 0 modulo 256)
//   E5  1 EF | 2 EE | 3 E5 | 4-12 maker text | 13-14 E4 frames sent, modulo 256, ASCII-hex
//   E6  1 EF | 2 EE | 3 E6 | 4 status (00 = accepted)
//   E8  1 EF | 2 EE | 3 E8 | 4-7 model and sub code | 8 sub-command echoed | 9.. result

#include <cstdint>
#include <string>

#include "common/Bytes.h"
#include "common/clsCmcTick.h"
#include "link/DriverPort.h"
#include "memory/clsCmcEeprom.h"

namespace qxt::link {

class clsCmcCln3Drv {
 public:
  static constexpr int32_t kEchoTimeout = 1000;
  static constexpr int32_t kAnswerTimeout = 1200;
  static constexpr size_t kWindow = 256;

  explicit clsCmcCln3Drv(const common::TickSource& ticks);

  DriverPort* myObjCom = nullptr;
  void myEep(memory::clsCmcEeprom* eep) { myEep_ = eep; }

  // 1 inquiry, 2 clone read, 3 clone write, 4 clone-write end, 5 live E8 command.
  void workMode(int16_t mode);
  int16_t workMode() const { return workMode_; }
  void waitAnswer(bool v) { waitAnswer_ = v; }
  bool waitAnswer() const { return waitAnswer_; }
  void retryCount(int16_t v) { retryCount_ = v; }
  void sizDataOfPacket(int16_t v) { sizDataOfPacket_ = v; }
  void cloneWriteAdrList(const std::string& sp);

  bool Running() const { return running_; }
  const Bytes& ansInfo() const { return ansInfo_; }
  int32_t lastEeAdr() const { return lastEeAdr_; }
  const Bytes& varLastE8Answer() const { return varLastE8Answer_; }
  int32_t EndAddress() const { return endAddress_; }
  int32_t nextWriteAdr() const { return nextWriteAdr_; }

  // Writing a code ends the exchange; a nonzero code is also kept as lastError.
  void nowError(int16_t c);
  int16_t nowError() const { return nowError_; }
  int16_t lastError() const { return lastError_; }
  void lastError(int16_t v) { lastError_ = v; }

  bool SendEnable() const;
  bool waitEcho() const { return workMode_ >= 1 && workMode_ <= 5; }

  // 0 when the frame was written and the exchange started, 1 when refused.
  int16_t Send(const Bytes& data);
  int16_t RetrySend();
  int16_t RealSend(const Bytes& data);

  void read(const Bytes& bytes);
  void task();
  void Reset();
  void ClearRxBuffer();
  void SendFE(int16_t Wt);
  void setTot() { tickTot_.counter(5000); }

  int16_t rxPhase() const { return rxPhase_; }

  // The data of the next clone-write E4 command; advances through the area list.
  Bytes makeWriteBlock();

 private:
  void endExchange();
  void setPhase(int16_t p);
  void readEcho(Bytes& rx, size_t& pos);
  void readAnswer(Bytes& rx, size_t& pos);
  void appendBody(const uint8_t* first, const uint8_t* last);
  void frameComplete();
  void onRxEvent();
  int16_t checkAnswer(const Bytes& body);
  bool answerInvalid(const Bytes& body);
  bool invalidE1(const Bytes& body);
  bool invalidE4(const Bytes& body);
  bool invalidE5(const Bytes& body);
  bool invalidE8(const Bytes& body) const;
  bool storeCloneData(const Bytes& body);

  memory::clsCmcEeprom* myEep_ = nullptr;
  int16_t workMode_ = 0;
  bool waitAnswer_ = false;
  int16_t retryCount_ = 0;
  int16_t retriesLeft_ = 0;
  int16_t sizDataOfPacket_ = 16;
  std::string cloneWriteAdrList_;
  int32_t nextWriteAdr_ = 0;
  int32_t lastEeAdr_ = 0;
  int32_t endAddress_ = memory::clsCmcEeprom::kDefaultSize;
  bool running_ = false;
  int16_t nowError_ = 0;
  int16_t lastError_ = 0;
  Bytes ansInfo_;
  Bytes varLastE8Answer_;
  Bytes sendBuf_;
  Bytes lastData_;
  Bytes rxBuf_;
  bool rxOutside_ = true;
  int16_t rxPhase_ = 0;
  bool sendReady_ = true;
  uint8_t sentSubCmd_ = 0;
  uint8_t e4Count_ = 0;
  bool countMismatch_ = false;
  common::clsCmcTick tickRx_;
  common::clsCmcTick tickTot_;
};

}  // namespace qxt::link
