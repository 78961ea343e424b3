#pragma once
// What the program tells the service record, and when: a session for each "Connect" (the port,
// the radio found, the image as read), every live command the link has written with why it was
// sent, every procedure with its measured points, every message, every restore, and how the
// session ended.

#include <array>
#include <optional>
#include <string>

#include "adjust/SessionLog.h"
#include "adjust/TaskObserver.h"
#include "link/FrameObserver.h"
#include "memory/clsCmcEeprom.h"
#include "memory/clsCmcRadio.h"
#include "record/ServiceRecord.h"

namespace qxt::program {

class RecordKeeper : public adjust::SessionLog, public adjust::TaskObserver, public link::FrameObserver {
 public:
  RecordKeeper(record::ServiceRecord& record, const memory::clsCmcEeprom& image) : record_(record), image_(image) {}

  record::ServiceRecord& record() { return record_; }
  bool HoldsRadioImage() const override { return record_.holdsRadioImage(); }

  // A live command the link has written: a value that changes its item is a change, one sent
  // again a "sent" row, a request for a readout a "readout" row. Inquiry and clone frames have
  // the session's own rows (the radio read, the restore).
  void FrameSent(const link::SentFrame& frame) override;

  void Connecting(int16_t port, const std::string& device, const std::string& technician) override;
  void RadioRead(const record::RadioFacts& facts);
  // The radio as the last read found it: its names, the inquiry answer's identification data
  // (what follows its eight header bytes) and its image, kept at backupPath.
  void RadioRead(memory::clsCmcRadio& radio, const Bytes& inquiryAnswer, const std::string& backupPath) override;
  void Message(const std::string& kind, const std::string& text) override { record_.Message(kind, text); }
  void RestoreStarted(const std::string& file, const Bytes& image) override { record_.RestoreStarted(file, image); }
  void RestoreEnded(record::RestoreOutcome outcome, int32_t bytesWritten, const std::string& report) override {
    record_.RestoreEnded(outcome, bytesWritten, report);
  }
  void RestoreRefused(const std::string& file, const std::string& why) override { record_.RestoreRefused(file, why); }
  // What to tell the technician when the record's last restore of the radio that gave this
  // inquiry answer did not end verified (its memory may be partly written); nullopt otherwise.
  std::optional<std::string> UnfinishedRestore(const Bytes& inquiryAnswer) override;
  // The identification data of an inquiry answer (what follows its eight header bytes), in hex.
  static std::string IdentityOf(const Bytes& inquiryAnswer);
  // outcome: "closed", "error" or "exit".
  void Ended(const std::string& outcome, const std::string& text = "") override { record_.EndSession(outcome, text); }

  // TaskObserver: the procedures and their points.
  void ProcedureStarted(adjust::ProcedureKind kind, const std::string& items, const std::string& values) override;
  void SeriesStarted(const std::string& series, int16_t reference, std::optional<int16_t> target) override;
  void Point(const std::string& series, int16_t setting, int16_t level) override;
  void SeriesEnded(const std::string& series, int16_t plateauFrom, int16_t plateauTo,
                   std::optional<int16_t> chosen) override;
  void PointStored(const std::string& which, int16_t level) override;
  void ProcedureEnded(adjust::ProcedureOutcome outcome, const std::string& values, const std::string& note) override;

 private:
  record::ServiceRecord& record_;
  const memory::clsCmcEeprom& image_;
  std::array<std::optional<int32_t>, 256> lastSent_{};
  std::string seriesNotes_;
};

}  // namespace qxt::program
