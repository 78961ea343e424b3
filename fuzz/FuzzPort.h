#pragma once
// An always-open port for the frame driver that only counts what is written.
#include "common/TickSource.h"
#include "link/DriverPort.h"
#include "link/clsCmcCln3Drv.h"

namespace qxt::fuzz {

struct FuzzPort : link::DriverPort {
  bool comSendEnable() const override { return true; }
  int32_t OutBufferSize() const override { return 1024; }
  int32_t OutBufferCount() const override { return 0; }
  void Output(const Bytes& data) override { written += data.size(); }
  size_t written = 0;
};

struct FuzzClock : common::TickSource {
  int32_t tickCount() const override { return now; }
  int32_t now = 0;
};

// A frame driver on that port and clock, storing clone data in its own image.
struct FuzzLink {
  FuzzLink() { drv.myEep(&ee); }
  FuzzClock clock;
  FuzzPort port;
  memory::clsCmcEeprom ee;
  link::clsCmcCln3Drv drv{port, clock};
};

}  // namespace qxt::fuzz
