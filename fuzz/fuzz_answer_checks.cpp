// Answer bodies of every kind through the driver's checks (as the frame after the echo) and
// through the live answer's judgement, whose value goes on a readout line.
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
  const Bytes command = common::HexStrToByteStr("E82927010003 3030");
  const link::wire::LiveJudgement judged = link::wire::JudgeLiveAnswer(body, command);
  if (judged.answer && !judged.frameValid) __builtin_trap();  // a value only from a sound frame
  if (judged.answer) {
    adjust::Readouts::Line(static_cast<adjust::ReadoutGroup>(data[0] & 1), static_cast<int16_t>(data[0] % 5),
                           judged.answer->value);
  }
  FuzzLink link;
  link::clsCmcCln3Drv& drv = link.drv;
  const int16_t mode = static_cast<int16_t>(data[0] % 5 + 1);
  drv.setWorkMode(static_cast<link::WorkMode>(mode));
  drv.setWaitAnswer(true);
  drv.Send(command);
  Bytes frame = link::wire::FrameToRadio(command);  // the echo
  frame.push_back(link::wire::kPreamble);
  frame.insert(frame.end(), body.begin(), body.end());  // the answer, however malformed
  frame.push_back(link::wire::kEnd);
  drv.read(frame);
  return 0;
}
