#pragma once
// The link on a fake port and a settable clock.
#include "support/FakeSerialPort.h"
#include "support/FakeTickSource.h"
#include "support/Frames.h"
#include "support/LinkAssembly.h"

namespace qxt::test {

struct LinkRig : LinkAssembly<FakeSerialPort, FakeTickSource> {
  // Advances the clock and runs one tick.
  void Tick(int32_t ms = 50) {
    clock.advance(ms);
    com.timSolid_Timer();
  }
  // The radio's line: echo of what the PC wrote last, then the answer, in one chunk.
  void EchoAndAnswer(const Bytes& answer) { port.receive(frames::Cat(port.lastWritten(), answer)); }
};

}  // namespace qxt::test
