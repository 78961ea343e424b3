#include "memory/ObjectDirectory.h"

namespace qxt::memory {

int32_t ObjectDirectory::Ptbl_Search(int32_t obj) const {
  const int32_t size = Word(0x122);
  const int32_t last = Word(0x124);
  int32_t p = Word(0x126);
  int32_t result = 0;
  if (size == 0) {  // every entry is the first one: look at it once
    if (p + 1 >= ee_.eeSize() || p + 1 > 32767) return 0;
    return Word(p) == obj ? p : 0;
  }
  for (int32_t n = 0; n <= last; ++n) {
    if (p + 1 >= ee_.eeSize() || p + 1 > 32767) return 0;
    if (Word(p) == obj) result = p;  // the last matching entry wins
    p += size;
  }
  return result;
}

}  // namespace qxt::memory
