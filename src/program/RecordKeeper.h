#pragma once
// What the program tells the service record, and when: a session for each "Connect" (the port,
// the radio found, the image as read), every value sent to the radio with why it was sent
// (every live command without answer passes through here on its way to the sequencer), every
// procedure with its measured points, every message, every restore, and how the session ended.

#include <array>
#include <optional>
#include <string>

#include "adjust/SessionLog.h"
#include "adjust/TaskObserver.h"
#include "memory/clsCmcEeprom.h"
#include "memory/clsCmcRadio.h"
#include "record/ServiceRecord.h"

namespace qxt::program {

class RecordKeeper : public adjust::SessionLog, public adjust::TaskObserver {
 public:
  RecordKeeper(record::ServiceRecord& record, common::LiveCommandSender& sequencer, const memory::clsCmcEeprom& image)
      : record_(record), sequencer_(sequencer), image_(image) {}

  record::ServiceRecord& record() { return record_; }
  bool HoldsRadioImage() const override { return record_.holdsRadioImage(); }

  // The sequencer's live commands; those without answer are recorded as values sent.
  bool easySendE8NoAnswer(const std::string& hexText) override;
  bool easySendE8ReqAnswer(const std::string& hexText) override { return sequencer_.easySendE8ReqAnswer(hexText); }
  bool OpRunning() const override { return sequencer_.OpRunning(); }

  // Why what is sent next is sent, unless the item it sets has a reason of its own.
  void Reason(record::SendReason why) override { reason_ = why; }
  // A key, Undo or Revert changed the item that command sends: its next value goes out for that.
  void ItemReason(int16_t command, record::SendReason why) override;

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
  common::LiveCommandSender& sequencer_;
  const memory::clsCmcEeprom& image_;
  record::SendReason reason_ = record::SendReason::kKey;
  std::array<std::optional<record::SendReason>, 256> itemReason_{};
  std::array<std::optional<int32_t>, 256> lastSent_{};
  std::string seriesNotes_;
};

}  // namespace qxt::program
