#include "memory/clsIndEep_RigK70R.h"

#include <iterator>

#include "common/Common.h"
#include "common/NumberFormat.h"

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
static_assert(std::size(kParameters) == 67);

std::string PadLeft(const std::string& text, size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

}  // namespace

int16_t clsIndEep_RigK70R::ByteAt(int64_t adr) const {
  return adr < 0 || adr > INT32_MAX ? 0 : Image().ReadByte(static_cast<int32_t>(adr));
}

int16_t clsIndEep_RigK70R::BitAt(int64_t adr, int16_t bit) const {
  return adr < 0 || adr > INT32_MAX ? 0 : Image().ReadBit(static_cast<int32_t>(adr), bit);
}

std::string clsIndEep_RigK70R::RigK70REep_GetChName(int16_t chNo) {
  std::string name = std::to_string(chNo + 1);
  if (chNo >= 0 && chNo < static_cast<int16_t>(chNames_.size())) chNames_[static_cast<size_t>(chNo)] = name;
  return name;
}

// The product chNo x size is formed wide, so a damaged record size cannot overflow it.
int32_t clsIndEep_RigK70R::RecordAddress(int32_t start_address, int16_t chNo, int32_t obj) const {
  const int64_t adr = start_address + static_cast<int64_t>(chNo) * ObjectDirectory(Image()).Obj_Size(obj);
  return adr < INT32_MIN || adr > INT32_MAX ? -1 : static_cast<int32_t>(adr);
}

int64_t clsIndEep_RigK70R::RigK70REep_GetChFreqTxReal(int32_t start_address, int16_t chNo) const {
  return ReadFreqBlock(RecordAddress(start_address, chNo, 2));
}

int64_t clsIndEep_RigK70R::RigK70REep_GetChFreqRxReal(int32_t start_address, int16_t chNo) const {
  return ReadFreqBlock(RecordAddress(start_address, chNo, 2));
}

int16_t clsIndEep_RigK70R::RigK70REep_GetChRFPower(int32_t start_address, int16_t chNo) const {
  const int32_t a = RecordAddress(start_address, chNo, 3);
  if (Image().ReadBit(a, 1) == 1) return Image().ReadBit(a, 0) == 1 ? 0 : 1;
  return 2;
}

int16_t clsIndEep_RigK70R::RigK70REep_GetChModeDig(int32_t start_address, int16_t chNo) const {
  return ByteAt(int64_t{RecordAddress(start_address, chNo, 2)} + 28) & 3;
}

bool clsIndEep_RigK70R::RigK70REep_GetChMode(int32_t start_address, int16_t chNo) const {
  return BitAt(int64_t{RecordAddress(start_address, chNo, 2)} + 28, 6) == 1;
}

bool clsIndEep_RigK70R::RigK70REep_GetMid() const { return BitAt(int64_t{commonAddress_} + 37, 7) != 0; }

bool clsIndEep_RigK70R::RigK70REep_GetChAppear(int32_t start_address, int16_t chNo) const {
  if (chNo < 0) return false;
  return Check_MRCH(RecordAddress(start_address, chNo, 2));
}

int64_t clsIndEep_RigK70R::ReadFreqBlock(int32_t adr) const {
  int64_t v = 0;
  for (int i = 0; i < 4; ++i) v = v * 256 + ByteAt(int64_t{adr} + i);
  return v;
}

bool clsIndEep_RigK70R::Check_MRCH(int32_t adr) const { return Check_Inh(adr) != 0 || ReadFreqBlock(adr) != 0; }

int32_t clsIndEep_RigK70R::ReadLSD(bool sft) const {
  const int32_t k = sft ? 2 : 0;
  return Image().ReadByte(172 + k) * 256 + Image().ReadByte(173 + k);
}

int32_t clsIndEep_RigK70R::ReadBaseFreqBlock() const {
  int32_t v = (Image().ReadByte(80) * 256 + Image().ReadByte(81)) * 100;
  if (v > 800000 || v < 0) v = 0;
  return v * 1000;
}

std::string clsIndEep_RigK70R::ParameterListing() const {
  std::string text;
  for (const auto& line : kParameters) {
    std::string value;
    if (line.form == Form::kMegahertz) {
      value = PadLeft(common::FormatNumber(ReadBaseFreqBlock() / 1000000.0, "###0.##0"), 8) + "MHz";
    } else {
      int b = Image().ReadByte(RigK70REep_GetMid() ? line.midAddress : line.address);
      if (line.form == Form::kSigned && b > 127) b -= 256;
      value = PadLeft(std::to_string(b), 4);
    }
    text += PadLeft(line.label, 30) + value + "\r\n";
  }
  return text;
}

void clsIndEep_RigK70R::RigK70REep_DispPara(common::TextBoxView& textBox) const { textBox.setText(ParameterListing()); }

void clsIndEep_RigK70R::RigK70REep_DispDebug(std::string& text) const {
  text.reserve(text.size() + 150000);
  text += "\r\n         EEPROM Data\r\n";
  for (int c = 0; c < 16; ++c) text += (c == 0 ? "         " : "") + common::ByteToHex2(c) + (c < 15 ? "  " : "\r\n");
  text += "        -----";
  for (int c = 1; c < 15; ++c) text += "----";
  text += "---\r\n";
  for (int32_t a = 0; a <= 32111; ++a) {
    const int c = a % 16;
    if (c == 0) {
      const int row = a / 16;
      text += std::string(1, "0123456789ABCDEF"[(row >> 8) & 15]) + common::ByteToHex2(row) + "0h |  ";
    }
    text += common::ByteToHex2(Image().ReadByte(a)) + (c < 15 ? "  " : "\r\n");
  }
}

}  // namespace qxt::memory
