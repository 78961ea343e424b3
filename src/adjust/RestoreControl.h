#pragma once
// A restore as the task runs it: the refusals before anything is written, the record of its
// start and end, the progress of the write, and the report at its end. The bytes themselves are
// written and checked by RestoreWrite.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "adjust/RestoreWrite.h"
#include "adjust/SessionLog.h"
#include "adjust/TaskView.h"
#include "adjust/TransferProgress.h"
#include "common/Bytes.h"
#include "link/clsCmcCln3Sequence.h"
#include "memory/clsCmcRadio.h"

namespace qxt::adjust {

class RestoreControl {
 public:
  using Notice = std::function<void(const std::string&)>;
  // What a pass of the write came to.
  enum class Write { kUnderWay, kWritten, kStopped };

  RestoreControl(link::clsCmcCln3Sequence& seq, memory::clsCmcRadio& radio, SessionLog& keeper, TaskView& view,
                 TransferProgress& progress, Notice notice)
      : seq_(seq), write_(seq, radio), keeper_(keeper), view_(view), progress_(progress), notice_(std::move(notice)) {}

  // Why file cannot be restored now: not an image of this radio, the task not ready (connected,
  // nothing running), or no copy of what the radio holds (lastBackup empty, the record off).
  std::optional<std::string> Refusal(const Bytes& file, bool taskReady, const std::string& lastBackup) const;
  // Records the start (before the first block) and starts the write.
  void Start(const Bytes& file, const std::string& path);
  // Shows the progress while the write runs; once it has ended, whether it went through.
  Write RunWrite();
  // After the check read: compares and reports.
  void Verify(const memory::clsCmcEeprom& readBack, bool ending);
  // A reset or the end of the program cut the restore off.
  void Abandon(bool ending);
  // The end of a restore goes into the record and to the technician; at an orderly end of the
  // program nobody is left to read a report, so it goes to the status line (and standard error).
  void Report(bool ending);

  void Cancel() { write_.Cancel(); }
  RestoreWrite::Phase phase() const { return write_.phase(); }
  bool writing() const { return phase() == RestoreWrite::Phase::kWriting; }
  bool checking() const { return phase() == RestoreWrite::Phase::kVerifying; }
  const RestoreWrite& write() const { return write_; }

 private:
  link::clsCmcCln3Sequence& seq_;
  RestoreWrite write_;
  SessionLog& keeper_;
  TaskView& view_;
  TransferProgress& progress_;
  Notice notice_;
};

}  // namespace qxt::adjust
