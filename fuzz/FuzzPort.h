#pragma once
// An always-open port for the frame driver that only counts what is written.
#include "DriverPort.h"
#include "TickSource.h"

struct FuzzPort : DriverPort {
  bool comSendEnable() const override { return true; }
  int32_t OutBufferSize() const override { return 1024; }
  int32_t OutBufferCount() const override { return 0; }
  void Output(const Bytes& data) override { written += data.size(); }
  size_t written = 0;
};

struct FuzzClock : TickSource {
  int32_t tickCount() const override { return now; }
  int32_t now = 0;
};
