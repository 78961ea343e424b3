#pragma once
// The 67-line parameter listing of an image: every adjustment parameter of the EEPROM with its
// label (30 characters, right-aligned) and its value (unsigned, signed, or the base frequency in
// MHz). Three lines read other bytes when the Mid flag is set (BAL W, MOD W, Tone W).

#include <cstdint>
#include <string>
#include <vector>

#include "common/Bytes.h"
#include "memory/clsCmcEeprom.h"

namespace qxt::memory {

struct ParameterRow {
  std::string label;  // 30 characters
  std::string value;  // 4 characters, or 8 and "MHz"
  friend bool operator==(const ParameterRow&, const ParameterRow&) = default;
};

class ParameterListing {
 public:
  static constexpr size_t kLines = 67;

  static std::vector<ParameterRow> Rows(const clsCmcEeprom& image, bool mid);
  // The rows of an image file, its Mid flag taken from its own object directory.
  static std::vector<ParameterRow> RowsOf(const Bytes& image);
  // Label, value and CR LF for each row.
  static std::string Text(const std::vector<ParameterRow>& rows);
  // The base frequency at 0050-0051 (100 kHz units) in Hz; 0 beyond 80 GHz.
  static int32_t BaseFrequency(const clsCmcEeprom& image);
};

}  // namespace qxt::memory
