#include "sim/SimRadio.h"

#include <algorithm>

#include "common/Common.h"
#include "link/Protocol.h"
#include "sim/SimImage.h"

namespace qxt::sim {

namespace {

constexpr size_t kMaxBody = 4096;  // longer "frames" are noise and dropped
namespace wire = link::wire;
using wire::Command;

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
  if (!faults.noEcho && faults.echoStopsAfter != 0 && !data.empty()) out.push_back({data, true});
  if (faults.echoStopsAfter > 0) {
    const auto frames = static_cast<int>(std::count(data.begin(), data.end(), wire::kEnd));
    faults.echoStopsAfter = std::max(0, faults.echoStopsAfter - frames);
  }
  for (uint8_t b : data) Parse(b, out);
  return out;
}

void SimRadio::Parse(uint8_t b, std::vector<Output>& out) {
  if (b == wire::kPreamble) {
    inFrame_ = true;
    body_.clear();
  } else if (b == wire::kEnd) {
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
  if (log_) log_("RX", Cat(Cat({wire::kPreamble, wire::kPreamble}, body), {wire::kEnd}));
  if (body.size() < 3 || body[0] != wire::kToRadio || body[1] != wire::kToPc) return;
  const Bytes data(body.begin() + 3, body.end());
  switch (static_cast<Command>(body[2])) {
    case Command::kInquiry:
      Inquiry(out);
      break;
    case Command::kCloneRead:
      CloneRead(data, out);
      break;
    case Command::kCloneWrite:
      if (AddressedToUs(data)) {
        writing_ = true;
        writeBad_ = false;
      }
      break;
    case Command::kCloneData:
      CloneWriteBlock(body);
      break;
    case Command::kCloneEnd:
      CloneWriteEnd(data, out);
      break;
    case Command::kLive:
      Live(data, out);
      break;
    default:
      break;
  }
}

void SimRadio::Answer(const Bytes& afterAddresses, std::vector<Output>& out, int delayMs) {
  Bytes frame = wire::FrameToPc(afterAddresses);
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
  body[0] = wire::kToPc;
  body[1] = wire::kToRadio;
  body[2] = static_cast<uint8_t>(Command::kIdentity);
  Bytes codes = Cat(ModelCode(), SubCode());
  std::copy(codes.begin(), codes.end(), body.begin() + 3);
  body[7] = static_cast<uint8_t>(length - 7);
  body[wire::kCompatiblePos - 1] = faults.pos43 ? 0x05 : wire::kCompatible;
  body[wire::kOptionsPos - 1] = static_cast<uint8_t>(digitalOption == 2 ? 0x20 : digitalOption == 1 ? 0x10 : 0x00);
  if (length >= wire::kIdentityFullBody) {
    Bytes last = common::StrToByteStr(common::ByteToHex2((kImageSize - 1) >> 8) + common::ByteToHex2(kImageSize - 1));
    std::copy(last.begin(), last.end(), body.begin() + wire::kEndAddressPos - 1);
  }
  Answer(Bytes(body.begin() + 2, body.end()), out, AnswerDelay());
}

void SimRadio::CloneRead(const Bytes& data, std::vector<Output>& out) {
  if (!AddressedToUs(data)) return;
  const int size = std::clamp(blockSize, 1, 255);
  const int total = (kImageSize + size - 1) / size;
  const int blocks = faults.missingBlocks >= 0 ? std::max(0, total - faults.missingBlocks) : total;
  for (int n = 0; n < blocks; ++n) {
    if (faults.garbage && n > 0) out.push_back({Garbage()});
    const int32_t address = n * size;
    const Bytes block(image_.begin() + address, image_.begin() + std::min(address + size, kImageSize));
    Answer(wire::CloneDataCommand(address, block, n == faults.badChecksumBlock ? 1 : 0), out,
           n == 0 ? AnswerDelay() : 0);
    if (n == faults.hangupAfterBlock) {
      out.back().hangUpAfter = true;
      faults.hangupAfterBlock = -1;  // once: the next read goes through
      return;
    }
  }
  if (faults.garbage) out.push_back({Garbage()});
  Bytes end =
      Cat(wire::CloneEndCommand(), common::StrToByteStr(common::ByteToHex2(blocks + (faults.badCount ? 1 : 0))));
  Answer(end, out);
}

void SimRadio::CloneWriteBlock(const Bytes& body) {
  if (!writing_) return;
  const auto block = wire::DecodeCloneData(body);
  if (!block || block->address + static_cast<int32_t>(block->data.size()) > kImageSize) {
    writeBad_ = true;
    return;
  }
  std::copy(block->data.begin(), block->data.end(), image_.begin() + block->address);
}

void SimRadio::CloneWriteEnd(const Bytes& data, std::vector<Output>& out) {
  if (!writing_) return;
  writing_ = false;
  const bool ok = !writeBad_ && !faults.refuseWrite && data.size() >= wire::kMakerText.size() &&
                  std::equal(wire::kMakerText.begin(), wire::kMakerText.end(), data.begin());
  Answer({static_cast<uint8_t>(Command::kWriteStatus), static_cast<uint8_t>(ok ? 0x00 : 0x01)}, out, AnswerDelay());
}

void SimRadio::Live(const Bytes& data, std::vector<Output>& out) {
  if (!AddressedToUs(data) || data.size() < 7) return;
  const uint8_t cmd = data[4];
  const auto parsed = common::HexPairValue(data[5], data[6]);
  if (!parsed) return;
  const int value = *parsed;
  if (cmd == 0x03) {
    if (faults.noAnswerAd) return;
    bench.generatorCoupled = generator != nullptr;
    if (generator != nullptr) bench.antennaDbm = generator->AntennaLevel(RxHz(), BandwidthHz());
    const uint8_t raw = SimPhysics().Read(value, bench, live);
    Bytes digits = faults.badAd ? common::StrToByteStr("G0") : common::StrToByteStr(common::ByteToHex2(raw));
    Answer(Cat(Cat(Cat({static_cast<uint8_t>(Command::kLive)}, ModelCode()), SubCode()), Cat({0x03}, digits)), out,
           AnswerDelay());
    return;
  }
  const Mirror* known = FindCommand(cmd);
  if (known == nullptr) return;
  live.value[cmd] = value;
  if (cmd == 0x06 || cmd == 0x07) live.lastLva = cmd;
  if (known->address >= 0) image_[static_cast<size_t>(known->address)] = static_cast<uint8_t>(value);
}

// The channel the last CH command chose (it carries the channel number + 1), in the default
// image's layout: 32-byte records from 0400, the receive frequency in bytes 0-3 under the
// inhibit bit, narrow in bit 6 of byte 28.
int64_t SimRadio::RxHz() const {
  const int32_t rec = kChannelBase + std::clamp(live.value[0x00] - 1, 0, kChannelCount - 1) * kChannelRecord;
  uint32_t hz = 0;
  for (int i = 0; i < 4; ++i) hz = (hz << 8) | image_[static_cast<size_t>(rec + i)];
  return hz & 0x7FFFFFFFu;
}

int64_t SimRadio::BandwidthHz() const {
  const int32_t rec = kChannelBase + std::clamp(live.value[0x00] - 1, 0, kChannelCount - 1) * kChannelRecord;
  return (image_[static_cast<size_t>(rec + 28)] & 0x40) != 0 ? 12500 : 25000;
}

Bytes SimRadio::Garbage() {
  Bytes junk(1 + (rng_ >> 28) % 8);
  for (auto& b : junk) {
    rng_ = rng_ * 1103515245u + 12345u;
    b = static_cast<uint8_t>(rng_ >> 16);
    if (b == wire::kPreamble) b = 0x7E;
  }
  return junk;
}

}  // namespace qxt::sim
