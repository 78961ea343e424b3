#include "memory/clsCmcRadio.h"

#include "common/Common.h"

namespace qxt::memory {

clsCmcEeprom& clsCmcRadio::eepImage() {
  if (!image_) image_ = std::make_unique<clsCmcEeprom>();
  return *image_;
}

void clsCmcRadio::cloneWriteAdrList_Add(int32_t first, int32_t last) {
  auto hex4 = [](int32_t v) { return common::ByteToHex2(v >> 8) + common::ByteToHex2(v); };
  list_ += hex4(first) + "-" + hex4(last) + ",";
}

}  // namespace qxt::memory
