#pragma once
// The transceiver the program works with: the model code it must report, the sub code
// (revision) it reported, the EEPROM ranges a clone write sends, and the EEPROM image.

#include <cstdint>
#include <memory>
#include <string>

#include "memory/clsCmcEeprom.h"

namespace qxt::memory {

class clsCmcRadio {
 public:
  // Created on first use; every later call returns the same image.
  clsCmcEeprom& eepImage();
  bool hasImage() const { return image_ != nullptr; }

  const std::string& radioNameM() const { return nameM_; }
  void radioNameM(const std::string& v) { nameM_ = v; }
  const std::string& radionameS() const { return nameS_; }
  void radionameS(const std::string& v) { nameS_ = v; }

  void cloneWriteAdrList_Clear() { list_.clear(); }
  // Appends "FFFF-LLLL," with each address as its low 16 bits in four upper-case hex digits.
  void cloneWriteAdrList_Add(int32_t first, int32_t last);
  const std::string& cloneWriteAdrList() const { return list_; }

 private:
  std::unique_ptr<clsCmcEeprom> image_;
  std::string nameM_ = "0000";
  std::string nameS_ = "0000";
  std::string list_;
};

}  // namespace qxt::memory
