// The text helpers and the number patterns with any text.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "common/Common.h"
#include "common/NumberFormat.h"

using namespace qxt;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const Bytes bytes = common::HexStrToByteStr(text);
  if (bytes.size() > size / 2) __builtin_trap();
  // Hex text of bytes reads back as the same bytes.
  if (common::HexStrToByteStr(common::ByteStrToHexStr(bytes)) != bytes) __builtin_trap();
  common::AsciiHexToInt(Bytes(data, data + size));
  if (common::ExpandNewLine(text).size() != text.size()) __builtin_trap();
  if (size >= sizeof(double)) {
    double v;
    std::memcpy(&v, data, sizeof v);
    common::FormatNumber(v, text.substr(sizeof(double), 40));
  }
  common::ByteToAsciiHexStr(size > 0 ? data[0] * 131 - 7000 : 0);
  return 0;
}
