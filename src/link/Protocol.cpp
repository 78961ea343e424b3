#include "link/Protocol.h"

#include <algorithm>

#include "common/Common.h"

namespace qxt::link::wire {

namespace {

Bytes Frame(uint8_t to, uint8_t from, const Bytes& data) {
  Bytes frame{kPreamble, kPreamble, to, from};
  frame.insert(frame.end(), data.begin(), data.end());
  frame.push_back(kEnd);
  return frame;
}

}  // namespace

std::string CodeHex(Command code) { return common::ByteToHex2(static_cast<uint8_t>(code)); }

Bytes FrameToRadio(const Bytes& data) { return Frame(kToRadio, kToPc, data); }

Bytes FrameToPc(const Bytes& data) { return Frame(kToPc, kToRadio, data); }

uint8_t BlockChecksum(const Bytes& raw) {
  unsigned sum = 0;
  for (uint8_t b : raw) sum += b;
  return static_cast<uint8_t>((256 - sum % 256) % 256);
}

Bytes CloneDataCommand(int32_t address, const Bytes& data, int checksumError) {
  Bytes raw{static_cast<uint8_t>((address >> 8) & 0xFF), static_cast<uint8_t>(address & 0xFF),
            static_cast<uint8_t>(data.size())};
  raw.insert(raw.end(), data.begin(), data.end());
  raw.push_back(static_cast<uint8_t>(BlockChecksum(raw) + checksumError));
  Bytes command{static_cast<uint8_t>(Command::kCloneData)};
  const Bytes ascii = common::StrToByteStr(common::ByteStrToHexStr(raw));
  command.insert(command.end(), ascii.begin(), ascii.end());
  return command;
}

Bytes CloneEndCommand() {
  Bytes command(1 + kMakerText.size());
  command[0] = static_cast<uint8_t>(Command::kCloneEnd);
  std::copy(kMakerText.begin(), kMakerText.end(), command.begin() + 1);
  return command;
}

std::optional<CloneBlock> DecodeCloneData(const Bytes& body) {
  const size_t n = body.size();
  if (n % 2 == 0 || n < 13) return std::nullopt;
  Bytes raw;
  raw.reserve((n - 3) / 2);
  unsigned sum = 0;
  for (size_t i = 3; i + 1 < n; i += 2) {
    const auto value = common::HexPairValue(body[i], body[i + 1]);
    if (!value) return std::nullopt;
    raw.push_back(*value);
    sum += *value;
  }
  if (sum % 256 != 0 || raw[2] != raw.size() - 4) return std::nullopt;
  return CloneBlock{raw[0] * 256 + raw[1], Bytes(raw.begin() + 3, raw.end() - 1)};
}

}  // namespace qxt::link::wire
