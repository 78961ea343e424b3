#pragma once
// The program's copy of the transceiver's EEPROM: a flat array of bytes addressed from 0.
// An address is valid when 0 <= address < eeSize; invalid addresses read as 0 and refuse writes.

#include <cstdint>

#include "common/Bytes.h"
#include "common/Outcome.h"

namespace qxt::memory {

class clsCmcEeprom {
 public:
  static constexpr int32_t kDefaultSize = 32112;  // 0000..7D6F

  clsCmcEeprom() { eeSize(kDefaultSize); }

  // Replaces the store by a zero-filled one of the new size (a negative size gives none).
  void eeSize(int32_t size);
  int32_t eeSize() const { return size_; }

  int16_t ReadByte(int32_t adr) const;
  // Refused when adr is not valid.
  common::Outcome WriteByte(int32_t adr, uint8_t data);
  // 1 when the bit is set; 0 otherwise, also for a bit outside 0..7 or an invalid adr.
  int16_t ReadBit(int32_t adr, int16_t bit) const;
  // Stores data into siz bytes from adr; refused when adr or adr + siz - 1 is not valid.
  common::Outcome FillBlock(int32_t adr, uint8_t data, int32_t siz);
  // Copies vr to adr...; refused when adr or adr + length - 1 is not valid.
  common::Outcome WriteBlock(int32_t adr, const Bytes& vr);
  // The siz bytes from adr on; bytes outside the store read as 0; empty for siz <= 0.
  Bytes ReadBlock(int32_t adr, int32_t siz) const;

  const Bytes& bytes() const { return store_; }

 private:
  bool Valid(int64_t adr) const { return adr >= 0 && adr < size_; }

  int32_t size_ = 0;
  Bytes store_;
};

}  // namespace qxt::memory
