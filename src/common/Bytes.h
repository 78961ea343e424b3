#pragma once
// A byte string: frames, clone data and answers. Positions in frame tables count from 1;
// in code, index 0 is position 1.

#include <cstdint>
#include <vector>

namespace qxt::common {

using Bytes = std::vector<uint8_t>;

}  // namespace qxt::common

// The vocabulary type of every library, named without its own.
namespace qxt {
using common::Bytes;
}  // namespace qxt
