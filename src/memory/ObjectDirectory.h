#pragma once
// The EEPROM's object directory. Three big-endian words describe it: entry size at 0122,
// last entry number at 0124, address of entry 0 at 0126. Each entry begins with four words:
//   offset 0  object id
//   offset 2  record size
//   offset 4  number of records
//   offset 6  start address
// A damaged directory gives defined results: the walk stops, and the look-up gives 0, as soon
// as an entry would lie outside the image or past 32767; it never runs more than 65536 entries.

#include <cstdint>

#include "memory/clsCmcEeprom.h"

namespace qxt::memory {

class ObjectDirectory {
 public:
  explicit ObjectDirectory(const clsCmcEeprom& eeprom) : ee_(eeprom) {}

  // Address of the last entry whose id is obj, or 0.
  int32_t Ptbl_Search(int32_t obj) const;
  int32_t Obj_Address(int32_t obj) const { return Field(obj, 6); }
  int32_t Obj_Number(int32_t obj) const { return Field(obj, 4); }
  int32_t Obj_Size(int32_t obj) const { return Field(obj, 2); }

 private:
  int32_t Word(int32_t adr) const { return ee_.ReadByte(adr) * 256 + ee_.ReadByte(adr + 1); }
  // A missing object (entry 0) reads the image's own bytes k and k + 1.
  int32_t Field(int32_t obj, int32_t k) const { return Word(Ptbl_Search(obj) + k); }

  const clsCmcEeprom& ee_;
};

}  // namespace qxt::memory
