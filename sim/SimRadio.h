#pragma once
// The simulated QZ-R700 at the far end of a cloning cable. Fed the bytes the PC sends, it
// returns what comes back on the line, in order: the cable's echo of those bytes first, then
// the radio's answer frames. It answers only frames addressed from EF to EE, with frames from
// EE to EF:
//   E0 inquiry      -> E1 identity (model, sub code, length, 06 at 43, options at 59, 7D6F)
//   E2 clone read   -> E4 blocks (16 bytes unless told otherwise, up to 255) from 0000 to 7D6F,
//                      then E5 with the block count
//   E3 clone write  -> takes E4 blocks, then E5; answers E6 00 (or 01 after a bad block)
//   E8 live command -> applied to the running state and written to its EEPROM byte; only the
//                      A/D request 03 is answered (E8 M S 03 and the raw value as ASCII-hex)

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/Bytes.h"
#include "sim/SimFaults.h"
#include "sim/SimGenerator.h"
#include "sim/SimPhysics.h"

namespace qxt::sim {

struct Output {
  Bytes bytes;
  bool echo = false;         // the cable's echo rather than the radio
  int delayMs = 0;           // to be sent no earlier than this after it was produced
  bool hangUpAfter = false;  // the line goes dead once these bytes are out
};

class SimRadio {
 public:
  explicit SimRadio(Bytes image, int digitalOption = 0);

  std::vector<Output> Receive(const Bytes& data);

  const Bytes& image() const { return image_; }
  // direction is "RX" for frames from the PC, "TX" for frames the radio sends.
  void setFrameLog(std::function<void(const char* direction, const Bytes& frame)> log) { log_ = std::move(log); }

  Faults faults;
  Bench bench;
  LiveState live;
  int digitalOption;
  int blockSize = 16;  // data bytes per clone-read block, 1..255
  // The bench generator feeding the antenna, when there is one (not owned).
  SimGenerator* generator = nullptr;
  // The receive frequency of the channel the radio is on, and its bandwidth (12.5 or 25 kHz).
  int64_t RxHz() const;
  int64_t BandwidthHz() const;

 private:
  void Parse(uint8_t b, std::vector<Output>& out);
  void Handle(const Bytes& body, std::vector<Output>& out);
  void Answer(const Bytes& afterAddresses, std::vector<Output>& out, int delayMs = 0);
  Bytes ModelCode() const;
  Bytes SubCode() const;
  bool AddressedToUs(const Bytes& data) const;
  void Inquiry(std::vector<Output>& out);
  void CloneRead(const Bytes& data, std::vector<Output>& out);
  void CloneWriteBlock(const Bytes& body);
  void CloneWriteEnd(const Bytes& data, std::vector<Output>& out);
  void Live(const Bytes& data, std::vector<Output>& out);
  Bytes Garbage();
  int AnswerDelay() const { return faults.slow ? 1300 : 0; }

  Bytes image_;
  bool inFrame_ = false;
  Bytes body_;
  bool writing_ = false;
  bool writeBad_ = false;
  uint32_t rng_ = 0x2927u;
  std::function<void(const char*, const Bytes&)> log_;
};

}  // namespace qxt::sim
