#pragma once
// SHA-256 of a byte string, as lower-case hex: how the record knows an image file again, whatever
// its name.

#include <string>

#include "common/Bytes.h"

namespace qxt::common {

std::string Sha256Hex(const Bytes& data);

}  // namespace qxt::common
