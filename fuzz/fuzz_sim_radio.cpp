// The simulated radio must survive anything the other end of the cable sends.
#include <cstddef>
#include <cstdint>

#include "sim/SimImage.h"
#include "sim/SimRadio.h"

using namespace qxt;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const Bytes image = sim::DefaultImage({});
  if (size < 1) return 0;
  sim::SimRadio radio(image, data[0] % 3);
  radio.faults.garbage = data[0] & 0x10;
  radio.faults.badAd = data[0] & 0x20;
  radio.faults.sub0200 = data[0] & 0x40;
  size_t at = 1;
  while (at < size) {
    const size_t n = (data[at] % 64) + 1;
    const size_t end = at + n < size ? at + n : size;
    radio.Receive(Bytes(data + at, data + end));
    at = end;
  }
  return 0;
}
