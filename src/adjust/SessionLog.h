#pragma once
// What the adjustment task tells the service record beside the frames the link reports: the radio
// a connection found, messages, restores and how a session ended. The program puts the record
// behind it; the task never sees a database.

#include <cstdint>
#include <optional>
#include <string>

#include "common/Bytes.h"
#include "memory/clsCmcRadio.h"
#include "record/RecordTypes.h"

namespace qxt::adjust {

class SessionLog {
 public:
  virtual ~SessionLog() = default;
  // "Connect" pressed: a new session on that port (its device) for the technician.
  virtual void Connecting(int16_t port, const std::string& device, const std::string& technician) = 0;
  // The radio as the last read found it: its names, the inquiry answer's identification data
  // (what follows its eight header bytes) and its image, kept at backupPath.
  virtual void RadioRead(memory::clsCmcRadio& radio, const Bytes& inquiryAnswer, const std::string& backupPath) = 0;
  virtual void Message(const std::string& kind, const std::string& text) = 0;
  virtual void RestoreStarted(const std::string& file, const Bytes& image) = 0;
  virtual void RestoreEnded(record::RestoreOutcome outcome, int32_t bytesWritten, const std::string& report) = 0;
  virtual void RestoreRefused(const std::string& file, const std::string& why) = 0;
  // What to tell the technician when the record's last restore of the radio that gave this
  // inquiry answer did not end verified (its memory may be partly written); nullopt otherwise.
  virtual std::optional<std::string> UnfinishedRestore(const Bytes& inquiryAnswer) = 0;
  // outcome: "closed", "error" or "exit".
  virtual void Ended(const std::string& outcome, const std::string& text = "") = 0;
  // The record keeps the radio's memory as read (a restore can be taken back from it).
  virtual bool HoldsRadioImage() const = 0;
};

}  // namespace qxt::adjust
