#pragma once
// The QZ-R700's EEPROM read as channels and parameters. It only reads the image.
//
// Memory-channel record (object 2), from the object's start + chNo x record size:
//   offset 0-3   receive frequency, Hz, big-endian; bit 7 of byte 0 is the inhibit flag
//   offset 4-7   transmit frequency, same form
//   offset 28    bits 1-0 digital mode (0 analog, 1-2 mixed, 3 digital); bit 6 narrow
// Power record (object 3): byte 0 bits 1-0. Common block (object 6): byte 37 bit 7 = Mid flag.
// Fixed: 0050-0051 base frequency in 100 kHz units; 00AC-00AF two 16-bit values (ReadLSD).

#include <array>
#include <cstdint>
#include <string>

#include "common/TextBoxView.h"
#include "memory/ObjectDirectory.h"
#include "memory/clsCmcRadio.h"

namespace qxt::memory {

class clsIndEep_RigK70R {
 public:
  explicit clsIndEep_RigK70R(clsCmcRadio& radio) : radio_(radio) {}

  std::string RigK70REep_GetChName(int16_t chNo);
  // Frequency fields as read, inhibit bit included (a field with it set still reads whole).
  int64_t RigK70REep_GetChFreqTxReal(int32_t start_address, int16_t chNo) const;
  int64_t RigK70REep_GetChFreqRxReal(int32_t start_address, int16_t chNo) const;
  int16_t RigK70REep_GetChRFPower(int32_t start_address, int16_t chNo) const;
  int16_t RigK70REep_GetChModeDig(int32_t start_address, int16_t chNo) const;
  bool RigK70REep_GetChMode(int32_t start_address, int16_t chNo) const;
  void RigK70REep_SetCommonAddress(int32_t start_address) { commonAddress_ = start_address; }
  int32_t CommonAddress() const { return commonAddress_; }
  bool RigK70REep_GetMid() const;
  bool RigK70REep_GetChAppear(int32_t start_address, int16_t chNo) const;

  // The 67-line parameter listing, into the text box.
  void RigK70REep_DispPara(common::TextBoxView& textBox) const;
  std::string ParameterListing() const;
  // Appends the hex listing of the whole image.
  void RigK70REep_DispDebug(std::string& text) const;

  int64_t ReadFreqBlock(int32_t adr) const;
  bool Check_MRCH(int32_t adr) const;
  int16_t Check_Inh(int32_t adr) const { return Image().ReadBit(adr, 7); }
  int32_t ReadLSD(bool sft) const;
  int32_t ReadBaseFreqBlock() const;

 private:
  const clsCmcEeprom& Image() const { return radio_.eepImage(); }
  // Reads that never overflow an address: anything beyond the 32-bit range reads as 0.
  int16_t ByteAt(int64_t adr) const;
  int16_t BitAt(int64_t adr, int16_t bit) const;
  int32_t RecordAddress(int32_t start_address, int16_t chNo, int32_t obj) const;

  clsCmcRadio& radio_;
  int32_t commonAddress_ = 0;
  std::array<std::string, 42> chNames_;
};

}  // namespace qxt::memory
