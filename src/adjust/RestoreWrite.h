#pragma once
// Writing an image file back into the radio: the file goes into the program's image, a clone
// write sends all of it, and a clone read afterwards checks every byte. The write can be stopped
// between two blocks; the radio's memory is then partly written, and the report says so.

#include <cstdint>
#include <optional>
#include <string>

#include "common/Bytes.h"
#include "link/clsCmcCln3Sequence.h"
#include "memory/clsCmcRadio.h"
#include "record/RecordTypes.h"

namespace qxt::adjust {

class RestoreWrite {
 public:
  enum class Phase { kIdle, kWriting, kVerifying };

  RestoreWrite(link::clsCmcCln3Sequence& seq, memory::clsCmcRadio& radio) : seq_(seq), radio_(radio) {}

  // Why a file cannot be an image of this radio, or nullopt when it can.
  static std::optional<std::string> CheckFile(const Bytes& file);

  Phase phase() const { return phase_; }
  // Puts the file into the image and starts the clone write.
  void StartWrite(const Bytes& file);
  void Cancel() { seq_.CancelCloneWrite(); }
  // Bytes of the image the radio has taken so far (after the write: in all).
  int32_t bytesWritten() const;
  // Once the write has ended without an error: true when it went through (the check read is
  // next); false when it was stopped between blocks (report() says how far it got).
  bool FinishWrite();
  // After the check read: compares every byte with the file and makes the report.
  void Verify(const memory::clsCmcEeprom& readBack);
  // A reset cut the restore off (the link failed); the report says what that means.
  void Abandon();

  // The last report, and whether the radio holds the file for certain.
  const std::string& report() const { return report_; }
  const Bytes& file() const { return file_; }
  bool verified() const { return outcome_ == record::RestoreOutcome::kVerified; }
  // How the last restore ended (kStarted while it runs).
  record::RestoreOutcome outcome() const { return outcome_; }

 private:
  link::clsCmcCln3Sequence& seq_;
  memory::clsCmcRadio& radio_;
  Phase phase_ = Phase::kIdle;
  Bytes file_;
  std::string report_;
  record::RestoreOutcome outcome_ = record::RestoreOutcome::kStarted;
  int32_t written_ = 0;
};

}  // namespace qxt::adjust
