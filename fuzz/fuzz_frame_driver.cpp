// Any byte stream, cut into any chunks, into the frame driver in each work mode, with time
// passing between chunks: nothing may crash, read out of bounds or grow without bound.
#include <cstddef>
#include <cstdint>

#include "common/Common.h"
#include "fuzz/FuzzPort.h"
#include "link/Protocol.h"
#include "link/clsCmcCln3Drv.h"

using namespace qxt;
using namespace qxt::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const int16_t mode = static_cast<int16_t>(data[0] % 5 + 1);
  const size_t chunk = data[1] % 97 + 1;
  FuzzLink link;
  link::clsCmcCln3Drv& drv = link.drv;
  const char* commands[] = {"E029270000", "E229270100", "E329270100", "E55461766F20496E632E", "E8292701000330 30"};
  auto start = [&] {
    drv.setWorkMode(static_cast<link::WorkMode>(mode));
    if (mode == 5) drv.setWaitAnswer((data[0] & 0x80) != 0);
    if (mode == 3) {
      drv.cloneWriteAdrList("0000-7D6F,");
      drv.sizDataOfPacket(16);
    }
    drv.retryCount(2);
    drv.Send(common::HexStrToByteStr(commands[mode - 1]));
  };
  start();
  for (size_t at = 3; at < size; at += chunk) {
    const size_t n = at + chunk <= size ? chunk : size - at;
    drv.read(Bytes(data + at, data + at + n));
    link.clock.now += data[2] * (at % 7);
    drv.task();
    if (!drv.Running()) start();
  }
  // No frame body is kept beyond the longest frame the protocol has.
  const size_t longest = link::wire::kMaxBlockBody;
  if (drv.ansInfo().size() > longest) __builtin_trap();
  return 0;
}
