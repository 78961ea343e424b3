#include "sim/SimImage.h"

#include <fstream>
#include <iterator>

#include "memory/clsCmcEeprom.h"

namespace qxt::sim {

namespace {

struct Channel {
  int index;
  uint32_t rxHz, txHz;
  bool inhibit;
  uint8_t mode;  // bits 1-0 digital mode, bit 6 narrow
  uint8_t power;
};

// Real-looking UHF channels; channel 4 is inhibited, 10 is left empty.
constexpr Channel kChannels[] = {
    {0, 446006250, 446006250, false, 0x00, 0x03},  {1, 446018750, 446018750, false, 0x40, 0x02},
    {2, 451250000, 456250000, false, 0x03, 0x03},  {3, 462562500, 467562500, false, 0x41, 0x01},
    {4, 440000000, 440000000, true, 0x00, 0x03},   {5, 467712500, 467712500, false, 0x02, 0x02},
    {6, 433925000, 433925000, false, 0x43, 0x00},  {7, 453100000, 458100000, false, 0x00, 0x03},
    {8, 460500000, 465500000, false, 0x40, 0x03},  {9, 412987500, 412987500, false, 0x01, 0x02},
    {11, 470000000, 470000000, false, 0x00, 0x03}, {12, 400012500, 400012500, false, 0x42, 0x03},
    {13, 425000000, 430000000, false, 0x03, 0x01},
};

struct Setting {
  int32_t address;
  uint8_t value;
};

// Adjustment bytes as a healthy radio leaves the factory; BPF T1/T2 deliberately off their
// plateau centres so the sweep has something to find.
constexpr Setting kSettings[] = {
    {0x0053, 0x60}, {0x0054, 80},   {0x0055, 96},   {0x0056, 0x10}, {0x0058, 0x02}, {0x0059, 0xFE}, {0x005A, 0x03},
    {0x005B, 0xFF}, {0x005C, 110},  {0x005D, 90},   {0x0061, 0x04}, {0x0062, 0x88}, {0x0063, 0x7A}, {0x0068, 0xFC},
    {0x0069, 0x86}, {0x006A, 0x7C}, {0x006F, 0x05}, {0x0070, 0x8A}, {0x0071, 0x7E}, {0x0077, 0x74}, {0x0078, 0x78},
    {0x00A6, 0x52}, {0x00A7, 0x90}, {0x00A8, 0xC8}, {0x00A9, 0x30}, {0x00AA, 0x70}, {0x00AC, 0x01}, {0x00AD, 0x80},
    {0x00AE, 120},  {0x00AF, 100},  {0x0131, 0x5A},
};

void Put16(memory::clsCmcEeprom& ee, int32_t adr, int value) {
  ee.WriteByte(adr, static_cast<uint8_t>(value >> 8));
  ee.WriteByte(adr + 1, static_cast<uint8_t>(value));
}

void Put32(memory::clsCmcEeprom& ee, int32_t adr, uint32_t value) {
  for (int i = 0; i < 4; ++i) ee.WriteByte(adr + i, static_cast<uint8_t>(value >> (24 - 8 * i)));
}

void PutDirectory(memory::clsCmcEeprom& ee) {
  Put16(ee, 0x122, 8);
  Put16(ee, 0x124, 2);
  Put16(ee, 0x126, 0x140);
  const int entries[3][4] = {
      {2, kChannelRecord, kChannelCount, kChannelBase}, {3, 2, kChannelCount, kPowerBase}, {6, 0x40, 1, kCommonBase}};
  for (int e = 0; e < 3; ++e) {
    for (int w = 0; w < 4; ++w) Put16(ee, 0x140 + 8 * e + 2 * w, entries[e][w]);
  }
}

void PutSlants(memory::clsCmcEeprom& ee) {
  // Seven bands of six signed slants (Rx LVA, Tx LVA, Tone, MOD, BAL, POW), small both ways.
  for (int band = 0; band < 7; ++band) {
    for (int k = 0; k < 6; ++k) ee.WriteByte(0x7C + 6 * band + k, static_cast<uint8_t>((band * 3 + k * 5) % 11 - 5));
  }
}

}  // namespace

Bytes DefaultImage(const ImageOptions& options) {
  memory::clsCmcEeprom ee;
  uint32_t x = 0x2927;
  for (int32_t a = 0x2000; a < kImageSize; ++a) {
    x = x * 1664525u + 1013904223u;
    ee.WriteByte(a, static_cast<uint8_t>(x >> 24));
  }
  Put16(ee, 0x50, 4000);
  for (const auto& s : kSettings) ee.WriteByte(s.address, s.value);
  PutSlants(ee);
  PutDirectory(ee);
  for (const auto& c : kChannels) {
    const int32_t rec = kChannelBase + c.index * kChannelRecord;
    Put32(ee, rec, c.rxHz | (c.inhibit ? 0x80000000u : 0u));
    Put32(ee, rec + 4, c.txHz);
    ee.WriteByte(rec + 28, c.mode);
    ee.WriteByte(kPowerBase + 2 * c.index, c.power);
  }
  ee.WriteByte(kCommonBase + 37, options.mid ? 0x80 : 0x00);
  return ee.bytes();
}

std::optional<Bytes> LoadImage(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  Bytes data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (data.size() != static_cast<size_t>(kImageSize)) return std::nullopt;
  return data;
}

bool SaveImage(const std::string& path, const Bytes& image) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
  return static_cast<bool>(out);
}

}  // namespace qxt::sim
