#include "sim/SimRadio.h"

#include <algorithm>

#include "common/Common.h"
#include "sim/SimImage.h"

namespace qxt::sim {

namespace {

constexpr size_t kMaxBody = 4096;  // longer "frames" are noise and dropped
const Bytes kMakerText = {0x54, 0x61, 0x76, 0x6F, 0x20, 0x49, 0x6E, 0x63, 0x2E};

struct Mirror {
  uint8_t command;
  int32_t address;
};

// Live commands the radio knows, with the EEPROM byte each one adjusts (-1: none).
constexpr Mirror kCommands[] = {
    {0x00, -1},     {0x02, -1},     {0x05, 0x00AD}, {0x06, 0x005C}, {0x07, 0x005D}, {0x08, 0x0131}, {0x0B, 0x00A6},
    {0x0C, 0x0062}, {0x0D, 0x0069}, {0x0E, 0x0070}, {0x0F, 0x0053}, {0x10, 0x0063}, {0x11, 0x006A}, {0x12, 0x0071},
    {0x13, 0x0054}, {0x14, 0x0055}, {0x15, 0x00A9}, {0x16, 0x00AA}, {0x1A, 0x0077}, {0x1B, 0x0078}, {0x30, -1},
};

const Mirror* FindCommand(uint8_t cmd) {
  for (const auto& m : kCommands) {
    if (m.command == cmd) return &m;
  }
  return nullptr;
}

Bytes Cat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

bool HexPair(uint8_t hi, uint8_t lo, int& value) {
  auto digit = [](uint8_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  };
  int h = digit(hi), l = digit(lo);
  if (h < 0 || l < 0) return false;
  value = h * 16 + l;
  return true;
}

// Address hi, address lo, count, data, checksum: as ASCII-hex, after the E4 code.
Bytes BlockFrameData(int32_t address, const Bytes& data, int checksumError) {
  Bytes raw{static_cast<uint8_t>(address >> 8), static_cast<uint8_t>(address), static_cast<uint8_t>(data.size())};
  raw = Cat(raw, data);
  unsigned sum = 0;
  for (uint8_t b : raw) sum += b;
  raw.push_back(static_cast<uint8_t>((256 - sum % 256 + checksumError) % 256));
  return Cat({0xE4}, common::StrToByteStr(common::ByteStrToHexStr(raw)));
}

}  // namespace

SimRadio::SimRadio(Bytes image, int digitalOptionBits) : digitalOption(digitalOptionBits), image_(std::move(image)) {
  image_.resize(static_cast<size_t>(kImageSize), 0);
  for (const auto& m : kCommands) {
    if (m.address >= 0) live.value[m.command] = image_[static_cast<size_t>(m.address)];
  }
  live.value[0x00] = 1;
  live.value[0x30] = 1;
}

std::vector<Output> SimRadio::Receive(const Bytes& data) {
  std::vector<Output> out;
  if (!faults.noEcho && !data.empty()) out.push_back({data, true});
  for (uint8_t b : data) Parse(b, out);
  return out;
}

void SimRadio::Parse(uint8_t b, std::vector<Output>& out) {
  if (b == 0xFE) {
    inFrame_ = true;
    body_.clear();
  } else if (b == 0xFD) {
    if (inFrame_) Handle(body_, out);
    inFrame_ = false;
    body_.clear();
  } else if (inFrame_) {
    body_.push_back(b);
    if (body_.size() > kMaxBody) {
      inFrame_ = false;
      body_.clear();
    }
  }
}

void SimRadio::Handle(const Bytes& body, std::vector<Output>& out) {
  if (log_) log_("RX", Cat(Cat({0xFE, 0xFE}, body), {0xFD}));
  if (body.size() < 3 || body[0] != 0xEE || body[1] != 0xEF) return;
  const Bytes data(body.begin() + 3, body.end());
  switch (body[2]) {
    case 0xE0:
      Inquiry(out);
      break;
    case 0xE2:
      CloneRead(data, out);
      break;
    case 0xE3:
      if (AddressedToUs(data)) {
        writing_ = true;
        writeBad_ = false;
      }
      break;
    case 0xE4:
      CloneWriteBlock(body);
      break;
    case 0xE5:
      CloneWriteEnd(data, out);
      break;
    case 0xE8:
      Live(data, out);
      break;
    default:
      break;
  }
}

void SimRadio::Answer(const Bytes& afterAddresses, std::vector<Output>& out, int delayMs) {
  Bytes frame = Cat(Cat({0xFE, 0xFE, 0xEF, 0xEE}, afterAddresses), {0xFD});
  if (log_) log_("TX", frame);
  out.push_back({std::move(frame), false, delayMs});
}

Bytes SimRadio::ModelCode() const { return faults.otherModel ? Bytes{0x29, 0x28} : Bytes{0x29, 0x27}; }

Bytes SimRadio::SubCode() const { return faults.sub0200 ? Bytes{0x02, 0x00} : Bytes{0x01, 0x00}; }

bool SimRadio::AddressedToUs(const Bytes& data) const {
  return data.size() >= 4 && Bytes(data.begin(), data.begin() + 2) == ModelCode() &&
         Bytes(data.begin() + 2, data.begin() + 4) == SubCode();
}

void SimRadio::Inquiry(std::vector<Output>& out) {
  if (faults.noAnswerInquiry) return;
  const size_t length = faults.shortE1 ? 60 : 72;
  const std::string text = "QZ-R700 UHF 400-470MHz SIMULATED RADIO SERIAL 00012345 ";
  Bytes body(length);
  for (size_t i = 8; i < length; ++i) body[i] = static_cast<uint8_t>(text[(i - 8) % text.size()]);
  body[0] = 0xEF;
  body[1] = 0xEE;
  body[2] = 0xE1;
  Bytes codes = Cat(ModelCode(), SubCode());
  std::copy(codes.begin(), codes.end(), body.begin() + 3);
  body[7] = static_cast<uint8_t>(length - 7);
  body[42] = faults.pos43 ? 0x05 : 0x06;
  body[58] = static_cast<uint8_t>(digitalOption == 2 ? 0x20 : digitalOption == 1 ? 0x10 : 0x00);
  if (length >= 69) {
    Bytes last = common::StrToByteStr(common::ByteToHex2((kImageSize - 1) >> 8) + common::ByteToHex2(kImageSize - 1));
    std::copy(last.begin(), last.end(), body.begin() + 65);
  }
  Answer(Bytes(body.begin() + 2, body.end()), out, AnswerDelay());
}

void SimRadio::CloneRead(const Bytes& data, std::vector<Output>& out) {
  if (!AddressedToUs(data)) return;
  const int blocks = kImageSize / 16;
  for (int n = 0; n < blocks; ++n) {
    if (faults.garbage && n > 0) out.push_back({Garbage()});
    const int32_t address = n * 16;
    Bytes data16(image_.begin() + address, image_.begin() + address + 16);
    Answer(BlockFrameData(address, data16, n == faults.badChecksumBlock ? 1 : 0), out, n == 0 ? AnswerDelay() : 0);
    if (n == faults.hangupAfterBlock) {
      out.back().hangUpAfter = true;
      return;
    }
  }
  if (faults.garbage) out.push_back({Garbage()});
  Bytes end =
      Cat(Cat({0xE5}, kMakerText), common::StrToByteStr(common::ByteToHex2(blocks + (faults.badCount ? 1 : 0))));
  Answer(end, out);
}

void SimRadio::CloneWriteBlock(const Bytes& body) {
  if (!writing_) return;
  const size_t n = body.size();
  std::vector<int> pairs;
  bool ok = n % 2 == 1 && n >= 13;
  for (size_t i = 3; ok && i + 1 < n; i += 2) {
    int v = 0;
    ok = HexPair(body[i], body[i + 1], v);
    pairs.push_back(v);
  }
  unsigned sum = 0;
  for (int v : pairs) sum += static_cast<unsigned>(v);
  ok = ok && sum % 256 == 0 && pairs.size() >= 4 && static_cast<size_t>(pairs[2]) == pairs.size() - 4;
  const int32_t address = ok ? pairs[0] * 256 + pairs[1] : -1;
  ok = ok && address + pairs[2] <= kImageSize;
  if (!ok) {
    writeBad_ = true;
    return;
  }
  for (int i = 0; i < pairs[2]; ++i) image_[static_cast<size_t>(address + i)] = static_cast<uint8_t>(pairs[3 + i]);
}

void SimRadio::CloneWriteEnd(const Bytes& data, std::vector<Output>& out) {
  if (!writing_) return;
  writing_ = false;
  bool ok =
      !writeBad_ && data.size() >= kMakerText.size() && std::equal(kMakerText.begin(), kMakerText.end(), data.begin());
  Answer({0xE6, static_cast<uint8_t>(ok ? 0x00 : 0x01)}, out, AnswerDelay());
}

void SimRadio::Live(const Bytes& data, std::vector<Output>& out) {
  if (!AddressedToUs(data) || data.size() < 7) return;
  const uint8_t cmd = data[4];
  int value = 0;
  if (!HexPair(data[5], data[6], value)) return;
  if (cmd == 0x03) {
    if (faults.noAnswerAd) return;
    const uint8_t raw = SimPhysics().Read(value, bench, live);
    Bytes digits = faults.badAd ? common::StrToByteStr("G0") : common::StrToByteStr(common::ByteToHex2(raw));
    Answer(Cat(Cat(Cat({0xE8}, ModelCode()), SubCode()), Cat({0x03}, digits)), out, AnswerDelay());
    return;
  }
  const Mirror* known = FindCommand(cmd);
  if (known == nullptr) return;
  live.value[cmd] = value;
  if (cmd == 0x06 || cmd == 0x07) live.lastLva = cmd;
  if (known->address >= 0) image_[static_cast<size_t>(known->address)] = static_cast<uint8_t>(value);
}

Bytes SimRadio::Garbage() {
  Bytes junk(1 + (rng_ >> 28) % 8);
  for (auto& b : junk) {
    rng_ = rng_ * 1103515245u + 12345u;
    b = static_cast<uint8_t>(rng_ >> 16);
    if (b == 0xFE) b = 0x7E;
  }
  return junk;
}

}  // namespace qxt::sim
