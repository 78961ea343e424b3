#pragma once
// Frames of the cloning protocol as a transceiver sends them, built for tests.
#include <string>

#include "common/Common.h"
#include "link/Protocol.h"

namespace qxt::test {

namespace frames {

inline Bytes Hex(const std::string& hex) { return common::HexStrToByteStr(hex); }

inline Bytes Cat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// FE FE EF EE, the body after EF EE, FD.
inline Bytes FromRadio(const Bytes& afterAddresses) { return link::wire::FrameToPc(afterAddresses); }

// An E1 body of `length` bytes: model, sub, length byte, 06 at 43, options at 59, end address.
inline Bytes InquiryBody(const std::string& model = "2927", const std::string& sub = "0100", uint8_t pos43 = 0x06,
                         uint8_t options = 0x00, const std::string& lastAddress = "7D6F", size_t length = 72) {
  Bytes body(length, 0x41);
  body[0] = 0xEF;
  body[1] = 0xEE;
  body[2] = 0xE1;
  Bytes codes = Hex(model + sub);
  std::copy(codes.begin(), codes.end(), body.begin() + 3);
  body[7] = static_cast<uint8_t>(length - 7);
  if (length >= 43) body[42] = pos43;
  if (length >= 59) body[58] = options;
  if (length >= 69) {
    Bytes end = common::StrToByteStr(lastAddress);
    std::copy(end.begin(), end.end(), body.begin() + 65);
  }
  return body;
}

inline Bytes FromBody(const Bytes& body) { return FromRadio(Bytes(body.begin() + 2, body.end())); }

// One clone data block as an E4 frame, with a correct checksum unless told otherwise.
inline Bytes Block(int address, const Bytes& data, int checksumError = 0) {
  Bytes raw{static_cast<uint8_t>(address >> 8), static_cast<uint8_t>(address), static_cast<uint8_t>(data.size())};
  raw = Cat(raw, data);
  unsigned sum = 0;
  for (uint8_t b : raw) sum += b;
  raw.push_back(static_cast<uint8_t>((256 - sum % 256 + checksumError) % 256));
  return FromRadio(Cat(Hex("E4"), common::StrToByteStr(common::ByteStrToHexStr(raw))));
}

// Live-command answer: E8, model and sub code, sub-command, result.
inline Bytes LiveAnswer(const std::string& subCommand, const Bytes& result, const std::string& codes = "29270100") {
  return FromRadio(Cat(Hex("E8" + codes + subCommand), result));
}

}  // namespace frames

}  // namespace qxt::test
