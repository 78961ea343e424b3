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

Bytes LiveCommandData(const Bytes& codes, const LiveCommand& command) {
  Bytes data{static_cast<uint8_t>(Command::kLive)};
  data.insert(data.end(), codes.begin(), codes.end());
  data.push_back(command.command);
  const std::string hex = common::ByteToHex2(command.value);
  data.insert(data.end(), hex.begin(), hex.end());
  return data;
}

std::optional<LiveCommand> DecodeLiveCommand(const Bytes& data) {
  if (data.size() != 3) return std::nullopt;
  const auto value = common::HexPairValue(data[1], data[2]);
  if (!value) return std::nullopt;
  return LiveCommand{data[0], *value, std::nullopt};
}

bool CodesNumeric(const Bytes& body) {
  if (body.size() < 7) return false;
  return std::all_of(body.begin() + 3, body.begin() + 7, [](uint8_t b) { return (b >> 4) <= 9 && (b & 0x0F) <= 9; });
}

LiveJudgement JudgeLiveAnswer(const Bytes& body, const Bytes& sentData) {
  const uint8_t sentSub = sentData.size() >= 6 ? sentData[5] : 0;
  LiveJudgement j;
  j.frameValid = body.size() >= kLiveSubCommandPos && CodesNumeric(body) && body[kLiveSubCommandPos - 1] == sentSub;
  if (!j.frameValid || body.size() != kLiveAnswerBody || sentData.size() < 5) return j;
  if (!std::equal(sentData.begin() + 1, sentData.begin() + 5, body.begin() + 3)) return j;
  const auto value = common::HexPairValue(body[8], body[9]);
  if (value) j.answer = LiveAnswer{body[kLiveSubCommandPos - 1], *value};
  return j;
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
