#include "link/WriteAreaList.h"

#include <algorithm>

#include "common/Common.h"

namespace qxt::link {

namespace {

// Four hex digits of the area list as an address: unsigned, so 8000 and above stay addresses.
int32_t AddressValue(const std::string& text) {
  return static_cast<uint16_t>(common::AsciiHexToInt(common::StrToByteStr(text)));
}

}  // namespace

void WriteAreaList::Reset(const std::string& list) {
  list_ = list;
  next_ = AddressValue(list.substr(0, 4));
}

WriteAreaList::Block WriteAreaList::Take(int16_t size) {
  const int32_t areaEnd = AddressValue(list_.substr(std::min<size_t>(5, list_.size()), 4));
  const int32_t a = next_;
  int32_t c = size;
  if (a + c - 1 > areaEnd) c = std::max(areaEnd - a + 1, 0);
  if (a + c - 1 < areaEnd) {
    next_ = a + c;
  } else {
    list_.erase(0, std::min<size_t>(10, list_.size()));
    next_ = list_.size() >= 10 ? AddressValue(list_.substr(0, 4)) : -1;
  }
  return {a, c};
}

}  // namespace qxt::link
