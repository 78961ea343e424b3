#pragma once
// Values a procedure changed and did not finish with, on their way back into the radio: one live
// command at a time, ahead of anything else the task would send, each written to the image as
// it goes. The list outlives a rebuild of the console, so a reset while the link still works
// puts them back all the same; when the link itself failed, it is dropped and said so.

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "common/SendReason.h"
#include "console/clsConsole.h"
#include "link/LiveSender.h"
#include "memory/clsCmcEeprom.h"

namespace qxt::adjust {

class PutBack {
 public:
  PutBack(link::LiveSender& sender, memory::clsCmcEeprom& image) : sender_(sender), image_(image) {}

  // what names the value for the technician ("BPF T1 80"); why is what the record says of it.
  void Add(int16_t command, int32_t address, uint8_t value, int32_t waitMs, std::string what,
           common::SendReason why = common::SendReason::kPutBack);
  // An item goes back to value: shown at once (and no longer marked changed), then sent and
  // written like any other.
  void AddItem(console::clsConsole& console, int16_t item, int16_t value);
  // The same for an RSSI point (address 0xAA: S3, else S1).
  void AddRssiPoint(int16_t command, int32_t address, uint8_t value);
  bool empty() const { return pending_.empty(); }
  // Nothing waits and the last value sent has arrived.
  bool settled() const { return pending_.empty() && !inFlight_; }

  // Sends the next one and writes it to the image; returns the wait that follows it.
  int32_t SendNext();
  // The link came back idle without an error: the value last sent is in the radio.
  void Delivered() { inFlight_.reset(); }
  // Forgets what is left; returns the names of what could not be put back, the value whose
  // frame was under way when the link failed first.
  std::vector<std::string> Drop();
  // The notice that names what was dropped and why.
  static std::string NotPutBack(const std::string& why, const std::vector<std::string>& names);

 private:
  struct Pending {
    int16_t command;
    int32_t address;  // negative: no byte of the image
    uint8_t value;
    int32_t waitMs;
    std::string what;
    common::SendReason why;
  };

  link::LiveSender& sender_;
  memory::clsCmcEeprom& image_;
  std::deque<Pending> pending_;
  std::optional<Pending> inFlight_;
};

}  // namespace qxt::adjust
