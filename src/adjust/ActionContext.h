#pragma once
// What the Enter procedures use of the adjustment task while they run.

#include <cstdint>
#include <string>

#include "adjust/BenchGenerator.h"
#include "adjust/ItemTable.h"
#include "adjust/TaskObserver.h"
#include "console/clsConsole.h"

namespace qxt::adjust {

class ActionContext {
 public:
  virtual ~ActionContext() = default;
  virtual console::clsConsole& Console() = 0;
  virtual bool SequencerRunning() const = 0;
  // A group-A readout: the request on the first call, true once the answer is in.
  virtual bool ReadA(int16_t index, bool isFirst) = 0;
  // The raw value last read for a group-A readout (3 = SD, 2 = LVIN).
  virtual int16_t LastAdA(int16_t index) const = 0;
  // A live command composed as command byte and value.
  virtual void SendLive(int16_t command, int16_t value) = 0;
  virtual void WriteEeprom(int32_t adr, uint8_t value) = 0;
  virtual int16_t EepromByte(int32_t adr) const = 0;
  virtual void Beep() = 0;
  // Puts an item back to the value it had before the procedure: shown at once, then sent live
  // and written to the image before anything else is sent (even after a reset of the console).
  virtual void PutBackItem(int16_t item, int16_t value) = 0;
  // The same for a byte that no item shows (an RSSI point), with the live command that sets it.
  virtual void PutBackByte(int16_t command, int32_t address, uint8_t value) = 0;
  // Where the procedures publish what they do and measure.
  virtual TaskObserver& Observer() = 0;
  // The bench generator (configured() false when the bench has none).
  virtual BenchGenerator& Generator() = 0;
  // The receive frequency (Hz) of the channel the CH No. line shows.
  virtual int64_t ChannelRxHz() const = 0;
  // A notice for the technician: in the status bar, on standard error and in the record.
  virtual void Notice(const std::string& text) = 0;
};

}  // namespace qxt::adjust
