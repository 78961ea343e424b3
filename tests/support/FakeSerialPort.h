#pragma once
#include <string>
#include <utility>
#include <vector>

#include "link/SerialPort.h"

namespace qxt::test {

// An in-memory port: the test pushes received bytes and reads what was written.
class FakeSerialPort : public link::SerialPort {
 public:
  bool open(const std::string&, int32_t, int32_t) override {
    open_ = true;
    return true;
  }
  void close() override { open_ = false; }
  bool isOpen() const override { return open_; }
  void discardOutput() override { pendingOutput = 0; }
  int32_t bytesAvailable() const override { return static_cast<int32_t>(input.size()); }
  Bytes takeInput() override { return std::exchange(input, {}); }
  void write(const Bytes& data) override {
    written.push_back(data);
    pendingOutput += holdOutput ? static_cast<int32_t>(data.size()) : 0;
  }
  int32_t bytesToWrite() const override { return pendingOutput; }
  std::string errorText() const override { return "no such device"; }

  // Bytes arriving from the line, with the receive notification.
  void receive(const Bytes& data) {
    input.insert(input.end(), data.begin(), data.end());
    if (listener_ != nullptr) listener_->onReceived();
  }
  void loseDevice() {
    if (listener_ != nullptr) listener_->onDeviceLost();
  }
  Bytes lastWritten() const { return written.empty() ? Bytes{} : written.back(); }

  bool holdOutput = false;
  int32_t pendingOutput = 0;
  std::vector<Bytes> written;
  Bytes input;

 private:
  bool open_ = false;
};

}  // namespace qxt::test
