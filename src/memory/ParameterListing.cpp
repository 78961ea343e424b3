#include "memory/ParameterListing.h"

#include <iterator>

#include "common/NumberFormat.h"
#include "memory/ObjectDirectory.h"

namespace qxt::memory {

namespace {

enum class Form { kUnsigned, kSigned, kMegahertz };

struct ParameterLine {
  const char* label;
  int32_t address;     // with the Mid flag clear
  int32_t midAddress;  // with the Mid flag set
  Form form;
};

constexpr ParameterLine U(const char* label, int32_t adr) { return {label, adr, adr, Form::kUnsigned}; }
constexpr ParameterLine S(const char* label, int32_t adr) { return {label, adr, adr, Form::kSigned}; }

// The adjustment parameters of the EEPROM, in the order of the listing.
constexpr ParameterLine kParameters[] = {
    U("POW HI Level: ", 0xA8),
    U("POW L2 Level: ", 0xA7),
    U("POW L1 Level: ", 0xA6),
    {"BAL W Level: ", 0x63, 0x71, Form::kUnsigned},
    U("BAL N Level: ", 0x6A),
    U("BAL D Level: ", 0x78),
    {"MOD W Level: ", 0x62, 0x70, Form::kUnsigned},
    U("MOD N Level: ", 0x69),
    U("CTCS/DTCS Level: ", 0x53),
    U("SQL Level: ", 0x131),
    U("REF Level: ", 0xAD),
    U("BPF Correction: ", 0x56),
    U("BPF T1 Level: ", 0x54),
    U("BPF T2 Level: ", 0x55),
    U("RX LVA Level: ", 0x5C),
    U("TX LVA Level: ", 0x5D),
    S("MOD Slant(Freq) Band0: ", 0x7F),
    S("MOD Slant(Freq) Band1: ", 0x85),
    S("MOD Slant(Freq) Band2: ", 0x8B),
    S("MOD Slant(Freq) Band3: ", 0x91),
    S("MOD Slant(Freq) Band4: ", 0x97),
    S("MOD Slant(Freq) Band5: ", 0x9D),
    S("MOD Slant(Freq) Band6: ", 0xA3),
    S("Tone Slant(Freq) Band0: ", 0x7E),
    S("Tone Slant(Freq) Band1: ", 0x84),
    S("Tone Slant(Freq) Band2: ", 0x8A),
    S("Tone Slant(Freq) Band3: ", 0x90),
    S("Tone Slant(Freq) Band4: ", 0x96),
    S("Tone Slant(Freq) Band5: ", 0x9C),
    S("Tone Slant(Freq) Band6: ", 0xA2),
    S("POW Slant(Freq) Band0: ", 0x81),
    S("POW Slant(Freq) Band1: ", 0x87),
    S("POW Slant(Freq) Band2: ", 0x8D),
    S("POW Slant(Freq) Band3: ", 0x93),
    S("POW Slant(Freq) Band4: ", 0x99),
    S("POW Slant(Freq) Band5: ", 0x9F),
    S("POW Slant(Freq) Band6: ", 0xA5),
    S("BAL Slant(Freq) Band0: ", 0x80),
    S("BAL Slant(Freq) Band1: ", 0x86),
    S("BAL Slant(Freq) Band2: ", 0x8C),
    S("BAL Slant(Freq) Band3: ", 0x92),
    S("BAL Slant(Freq) Band4: ", 0x98),
    S("BAL Slant(Freq) Band5: ", 0x9E),
    S("BAL Slant(Freq) Band6: ", 0xA4),
    S("Rx LVA Slant(Freq) Band0: ", 0x7C),
    S("Rx LVA Slant(Freq) Band1: ", 0x82),
    S("Rx LVA Slant(Freq) Band2: ", 0x88),
    S("Rx LVA Slant(Freq) Band3: ", 0x8E),
    S("Rx LVA Slant(Freq) Band4: ", 0x94),
    S("Rx LVA Slant(Freq) Band5: ", 0x9A),
    S("Rx LVA Slant(Freq) Band6: ", 0xA0),
    S("Tx LVA Slant(Freq) Band0: ", 0x7D),
    S("Tx LVA Slant(Freq) Band1: ", 0x83),
    S("Tx LVA Slant(Freq) Band2: ", 0x89),
    S("Tx LVA Slant(Freq) Band3: ", 0x8F),
    S("Tx LVA Slant(Freq) Band4: ", 0x95),
    S("Tx LVA Slant(Freq) Band5: ", 0x9B),
    S("Tx LVA Slant(Freq) Band6: ", 0xA1),
    S("MOD Slant(Temp) Area: ", 0x5A),
    S("Tone Slant(Temp) Area: ", 0x59),
    S("SQL Slant(Temp) Area: ", 0x58),
    S("BAL Slant(Temp) Area: ", 0x5B),
    {"Tone W Correction: ", 0x61, 0x6F, Form::kSigned},
    S("Tone N Correction: ", 0x68),
    {"Base Frequency: ", 0x50, 0x50, Form::kMegahertz},
    U("RSSI S1 Level: ", 0xA9),
    U("RSSI S3 Level: ", 0xAA),
};
static_assert(std::size(kParameters) == ParameterListing::kLines);

std::string PadLeft(const std::string& text, size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

}  // namespace

std::vector<ParameterRow> ParameterListing::Rows(const clsCmcEeprom& image, bool mid) {
  std::vector<ParameterRow> rows;
  rows.reserve(kLines);
  for (const auto& line : kParameters) {
    std::string value;
    if (line.form == Form::kMegahertz) {
      value = PadLeft(common::FormatNumber(BaseFrequency(image) / 1000000.0, "###0.##0"), 8) + "MHz";
    } else {
      int b = image.ReadByte(mid ? line.midAddress : line.address);
      if (line.form == Form::kSigned && b > 127) b -= 256;
      value = PadLeft(std::to_string(b), 4);
    }
    rows.push_back({PadLeft(line.label, 30), value});
  }
  return rows;
}

std::vector<ParameterRow> ParameterListing::RowsOf(const Bytes& bytes) {
  clsCmcEeprom image;
  image.WriteBlock(0, Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min<size_t>(
                                                               bytes.size(), clsCmcEeprom::kDefaultSize))));
  const int64_t mid = int64_t{ObjectDirectory(image).Obj_Address(6)} + 37;
  return Rows(image, mid <= INT32_MAX && image.ReadBit(static_cast<int32_t>(mid), 7) != 0);
}

std::string ParameterListing::Text(const std::vector<ParameterRow>& rows) {
  std::string text;
  for (const auto& row : rows) text += row.label + row.value + "\r\n";
  return text;
}

int32_t ParameterListing::BaseFrequency(const clsCmcEeprom& image) {
  int32_t v = (image.ReadByte(80) * 256 + image.ReadByte(81)) * 100;
  if (v > 800000 || v < 0) v = 0;
  return v * 1000;
}

}  // namespace qxt::memory
