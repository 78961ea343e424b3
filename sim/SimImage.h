#pragma once
// The simulated radio's EEPROM: a deterministic default image with an object directory,
// memory channels, the base frequency and plausible adjustment values.
//
// Layout of the default image:
//   0050-0051  base frequency, 100 kHz units (4000 = 400 MHz)
//   0053-0131  adjustment bytes (levels, BPF, LVA, slants, RSSI, LV targets at 00AE/00AF)
//   0122-0127  directory: entry size 8, last entry 2, entry 0 at 0140
//   0140       entries: object 2 (channels, 32-byte records, 40 of them, at 0400),
//              object 3 (power, 2-byte records, at 0A00), object 6 (common block at 0B00)
//   0B25       common block byte 37: bit 7 is the Mid flag
//   2000-7D6F  a fixed pseudo-random pattern, so misplaced blocks show

#include <cstdint>
#include <optional>
#include <string>

#include "common/Bytes.h"

namespace qxt::sim {

constexpr int32_t kImageSize = 32112;
constexpr int32_t kChannelBase = 0x0400;
constexpr int32_t kChannelRecord = 32;
constexpr int32_t kChannelCount = 40;
constexpr int32_t kPowerBase = 0x0A00;
constexpr int32_t kCommonBase = 0x0B00;

struct ImageOptions {
  bool mid = false;
};

Bytes DefaultImage(const ImageOptions& options);

// A raw image file of exactly 32112 bytes; nullopt when it cannot be read or has another size.
std::optional<Bytes> LoadImage(const std::string& path);
bool SaveImage(const std::string& path, const Bytes& image);

}  // namespace qxt::sim
