#include "adjust/RestoreControl.h"

#include "adjust/ImageBackup.h"
#include "common/Translate.h"

namespace qxt::adjust {

std::optional<std::string> RestoreControl::Refusal(const Bytes& file, bool taskReady,
                                                   const std::string& lastBackup) const {
  if (auto refusal = RestoreWrite::CheckFile(file)) return refusal;
  if (!taskReady || phase() != RestoreWrite::Phase::kIdle) {
    return std::string(common::TrNoop("qxt", "A restore needs a connected radio and no procedure running."));
  }
  // Without a copy of what the radio holds now, nothing could take a restore back.
  if (lastBackup.empty() && !keeper_.HoldsRadioImage()) {
    return common::Compose(common::TrNoop("qxt",
                                          "No copy of the radio's memory as read at Connect exists: the backup could "
                                          "not be written and the service record is off. Nothing was written; free "
                                          "the data folder (%1) and connect again."),
                           {ImageBackup::Directory()});
  }
  return std::nullopt;
}

void RestoreControl::Start(const Bytes& file, const std::string& path) {
  keeper_.RestoreStarted(path, file);
  write_.StartWrite(file);
}

RestoreControl::Write RestoreControl::RunWrite() {
  const int32_t total = memory::clsCmcEeprom::kDefaultSize;
  if (seq_.OpRunning()) {
    progress_.Row(static_cast<int>(int64_t{write_.bytesWritten()} * TransferProgress::kWidth / total));
    progress_.Transfer(write_.bytesWritten(), total, true);
    return Write::kUnderWay;
  }
  progress_.Stop();
  return write_.FinishWrite() ? Write::kWritten : Write::kStopped;
}

void RestoreControl::Verify(const memory::clsCmcEeprom& readBack, bool ending) {
  write_.Verify(readBack);
  Report(ending);
}

void RestoreControl::Abandon(bool ending) {
  if (phase() == RestoreWrite::Phase::kIdle) return;
  write_.Abandon();
  Report(ending);
}

void RestoreControl::Report(bool ending) {
  const std::string& report = write_.report();
  keeper_.RestoreEnded(write_.outcome(), write_.bytesWritten(), report.substr(0, report.find('\r')));
  if (ending) {
    notice_(report);
  } else {
    view_.showReport(report, write_.verified());
  }
}

}  // namespace qxt::adjust
