#include "memory/clsCmcEeprom.h"

#include <algorithm>

namespace qxt::memory {

void clsCmcEeprom::eeSize(int32_t size) {
  size_ = size;
  store_.assign(static_cast<size_t>(std::max<int32_t>(size, 0)), 0);
}

int16_t clsCmcEeprom::ReadByte(int32_t adr) const { return Valid(adr) ? store_[static_cast<size_t>(adr)] : 0; }

common::Outcome clsCmcEeprom::WriteByte(int32_t adr, uint8_t data) {
  if (!Valid(adr)) return common::Outcome::kRefused;
  store_[static_cast<size_t>(adr)] = data;
  return common::Outcome::kDone;
}

int16_t clsCmcEeprom::ReadBit(int32_t adr, int16_t bit) const {
  if (bit < 0 || bit > 7) return 0;
  return (ReadByte(adr) >> bit) & 1;
}

common::Outcome clsCmcEeprom::FillBlock(int32_t adr, uint8_t data, int32_t siz) {
  int64_t last = static_cast<int64_t>(adr) + siz - 1;
  if (!Valid(adr) || !Valid(last)) return common::Outcome::kRefused;
  for (int64_t a = adr; a <= last; ++a) store_[static_cast<size_t>(a)] = data;
  return common::Outcome::kDone;
}

common::Outcome clsCmcEeprom::WriteBlock(int32_t adr, const Bytes& vr) {
  // An empty block tests adr - 1 as its last address, so it is refused at address 0.
  int64_t last = static_cast<int64_t>(adr) + static_cast<int64_t>(vr.size()) - 1;
  if (!Valid(adr) || !Valid(last)) return common::Outcome::kRefused;
  std::copy(vr.begin(), vr.end(), store_.begin() + adr);
  return common::Outcome::kDone;
}

Bytes clsCmcEeprom::ReadBlock(int32_t adr, int32_t siz) const {
  Bytes out;
  if (siz <= 0) return out;
  out.reserve(static_cast<size_t>(siz));
  for (int64_t a = adr; a < static_cast<int64_t>(adr) + siz; ++a) {
    out.push_back(Valid(a) ? store_[static_cast<size_t>(a)] : 0);
  }
  return out;
}

}  // namespace qxt::memory
