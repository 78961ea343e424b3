#include "memory/clsIndEep_RigK70R.h"

#include "common/Common.h"
#include "memory/ParameterListing.h"

namespace qxt::memory {

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

int32_t clsIndEep_RigK70R::ReadBaseFreqBlock() const { return ParameterListing::BaseFrequency(Image()); }

std::string clsIndEep_RigK70R::ParameterListing() const {
  return ParameterListing::Text(ParameterListing::Rows(Image(), RigK70REep_GetMid()));
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
