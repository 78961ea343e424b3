// Answer bodies of every kind through the driver's checks (as the frame after the echo) and
// readout answers through the readout checks.
#include <cstddef>
#include <cstdint>

#include "adjust/Readouts.h"
#include "common/Common.h"
#include "fuzz/FuzzPort.h"
#include "link/Protocol.h"
#include "link/clsCmcCln3Drv.h"

using namespace qxt;
using namespace qxt::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const Bytes body(data + 1, data + size);
  const Bytes name{0x29, 0x27, 0x01, 0x00};
  if (adjust::Readouts::IsValidAnswer(body, name)) {
    const int v = adjust::Readouts::AdAnswerValue(body);
    if (v < 0 || v > 255) __builtin_trap();
    adjust::Readouts::Line(static_cast<adjust::ReadoutGroup>(data[0] & 1), static_cast<int16_t>(data[0] % 5), v);
  }
  FuzzLink link;
  link::clsCmcCln3Drv& drv = link.drv;
  const int16_t mode = static_cast<int16_t>(data[0] % 5 + 1);
  drv.setWorkMode(static_cast<link::WorkMode>(mode));
  drv.setWaitAnswer(true);
  const Bytes command = common::HexStrToByteStr("E82927010003 3030");
  drv.Send(command);
  Bytes frame = link::wire::FrameToRadio(command);  // the echo
  frame.push_back(link::wire::kPreamble);
  frame.insert(frame.end(), body.begin(), body.end());  // the answer, however malformed
  frame.push_back(link::wire::kEnd);
  drv.read(frame);
  return 0;
}
