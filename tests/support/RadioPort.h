#pragma once
// A port whose far end is the simulated radio itself, in memory: what the program writes goes to
// the radio, and what the radio sends (echo first) arrives when the test lets the line deliver
// it, after any answer delay has passed on the test's clock.
#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "common/Common.h"

#include "sim/SimImage.h"
#include "sim/SimRadio.h"
#include "support/FakeSerialPort.h"
#include "support/FakeTickSource.h"

namespace qxt::test {

class RadioPort : public FakeSerialPort {
 public:
  RadioPort(const FakeTickSource& clock, Bytes image = sim::DefaultImage({}))
      : radio(std::move(image)), clock_(clock) {}

  void write(const Bytes& data) override {
    FakeSerialPort::write(data);
    LogLive(data);
    if (!isOpen()) return;
    for (auto& out : radio.Receive(data)) {
      pending_.push_back({std::move(out.bytes), clock_.now + out.delayMs, out.hangUpAfter});
    }
  }
  void close() override {
    FakeSerialPort::close();
    pending_.clear();
  }
  // What is due reaches the program as one chunk (at most maxChunk bytes), with a receive notification.
  void Deliver() {
    Bytes chunk;
    bool hangUp = false;
    while (!pending_.empty() && pending_.front().due - clock_.now <= 0 && !hangUp && chunk.size() < maxChunk) {
      Pending& p = pending_.front();
      size_t take = std::min(maxChunk - chunk.size(), p.bytes.size());
      chunk.insert(chunk.end(), p.bytes.begin(), p.bytes.begin() + static_cast<std::ptrdiff_t>(take));
      p.bytes.erase(p.bytes.begin(), p.bytes.begin() + static_cast<std::ptrdiff_t>(take));
      if (!p.bytes.empty()) break;
      hangUp = p.hangUpAfter;
      pending_.pop_front();
    }
    if (!chunk.empty() && isOpen()) {
      // Cut into pieces when asked: each piece arrives with its own notification.
      for (size_t at = 0; at < chunk.size() && isOpen();) {
        const size_t n = pieceSize ? std::max<size_t>(1, std::min(pieceSize(), chunk.size() - at)) : chunk.size();
        receive(Bytes(chunk.begin() + static_cast<std::ptrdiff_t>(at),
                      chunk.begin() + static_cast<std::ptrdiff_t>(at + n)));
        at += n;
      }
    }
    if (hangUp && isOpen()) {
      pending_.clear();
      loseDevice();
    }
  }
  bool Quiet() const { return pending_.empty(); }

  // A live command as written: when, its command byte and its value.
  struct Live {
    int32_t at;
    int command;
    int value;
  };
  std::vector<Live> lives;
  std::vector<Live> LivesAfter(size_t from) const {
    return {lives.begin() + static_cast<std::ptrdiff_t>(from), lives.end()};
  }

  sim::SimRadio radio;
  size_t maxChunk = SIZE_MAX;
  std::function<size_t()> pieceSize;

 private:
  // FE FE EE EF E8 M M S S command value-hi value-lo FD
  void LogLive(const Bytes& f) {
    if (f.size() != 13 || f[4] != 0xE8) return;
    int value = common::AsciiHexToInt(Bytes(f.begin() + 10, f.begin() + 12));
    lives.push_back({clock_.now, f[9], value});
  }

  struct Pending {
    Bytes bytes;
    int32_t due;
    bool hangUpAfter;
  };
  const FakeTickSource& clock_;
  std::deque<Pending> pending_;
};

}  // namespace qxt::test
