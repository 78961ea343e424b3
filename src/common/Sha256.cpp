#include "common/Sha256.h"

#include <nettle/sha2.h>

#include <array>
#include <cstdint>

namespace qxt::common {

std::string Sha256Hex(const Bytes& data) {
  sha256_ctx context;
  sha256_init(&context);
  sha256_update(&context, data.size(), data.data());
  std::array<uint8_t, SHA256_DIGEST_SIZE> digest{};
  sha256_digest(&context, digest.size(), digest.data());
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(2 * digest.size());
  for (uint8_t b : digest) {
    hex.push_back(kDigits[b >> 4]);
    hex.push_back(kDigits[b & 0x0F]);
  }
  return hex;
}

}  // namespace qxt::common
