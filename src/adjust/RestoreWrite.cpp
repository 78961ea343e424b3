#include "adjust/RestoreWrite.h"

#include "common/Common.h"
#include "common/Translate.h"

namespace qxt::adjust {

namespace {

constexpr size_t kListedDifferences = 16;

std::string Hex4(int32_t address) { return common::ByteToHex2(address >> 8) + common::ByteToHex2(address); }

}  // namespace

std::optional<std::string> RestoreWrite::CheckFile(const Bytes& file) {
  const auto expected = static_cast<size_t>(memory::clsCmcEeprom::kDefaultSize);
  if (file.size() == expected) return std::nullopt;
  return common::Compose(
      common::TrNoop("qxt", "The file holds %1 bytes; an image of this radio holds exactly %2. Nothing was written."),
      {std::to_string(file.size()), std::to_string(expected)});
}

void RestoreWrite::StartWrite(const Bytes& file) {
  file_ = file;
  report_.clear();
  outcome_ = record::RestoreOutcome::kStarted;
  written_ = 0;
  radio_.eepImage().WriteBlock(0, file_);
  phase_ = Phase::kWriting;
  seq_.easyCloneWrite();
}

int32_t RestoreWrite::bytesWritten() const {
  return phase_ == Phase::kWriting ? seq_.driver().lastEeAdr() + 1 : written_;
}

bool RestoreWrite::FinishWrite() {
  written_ = bytesWritten();
  if (!seq_.driver().writeCancelled()) {
    phase_ = Phase::kVerifying;
    return true;
  }
  outcome_ = record::RestoreOutcome::kStopped;
  report_ = common::Compose(common::TrNoop("qxt",
                                           "The restore was cancelled after %1 of %2 bytes: the radio's memory is "
                                           "partly written. Restore the image again before the radio is used."),
                            {std::to_string(written_), std::to_string(file_.size())});
  phase_ = Phase::kIdle;
  return false;
}

void RestoreWrite::Verify(const memory::clsCmcEeprom& readBack) {
  phase_ = Phase::kIdle;
  std::string lines;
  size_t differences = 0;
  for (size_t a = 0; a < file_.size(); ++a) {
    const auto radio = static_cast<uint8_t>(readBack.ReadByte(static_cast<int32_t>(a)));
    if (radio == file_[a]) continue;
    if (++differences <= kListedDifferences) {
      lines += "\r\n" + common::Compose(
                            common::TrNoop("qxt", "%1: radio %2, file %3"),
                            {Hex4(static_cast<int32_t>(a)), common::ByteToHex2(radio), common::ByteToHex2(file_[a])});
    }
  }
  outcome_ = differences == 0 ? record::RestoreOutcome::kVerified : record::RestoreOutcome::kDiffers;
  if (differences == 0) {
    report_ = common::TrNoop("qxt", "The image was restored and verified: the radio holds every byte of it.");
    return;
  }
  report_ = common::Compose(common::TrNoop("qxt", "The image was written, but the radio differs from it in %1 bytes:"),
                            {std::to_string(differences)}) +
            lines + (differences > kListedDifferences ? "\r\n..." : "");
}

void RestoreWrite::Abandon() {
  if (phase_ == Phase::kIdle) return;
  const bool writing = phase_ == Phase::kWriting;
  if (writing) written_ = bytesWritten();
  outcome_ = writing ? record::RestoreOutcome::kLinkFailed : record::RestoreOutcome::kUnchecked;
  report_ = writing
                ? common::TrNoop("qxt",
                                 "The restore stopped with the link: the radio's memory is partly written. Restore the "
                                 "image again before the radio is used.")
                : common::TrNoop("qxt",
                                 "The image was written, but the check read failed: whether the radio holds it is not "
                                 "known. Connect again to see.");
  phase_ = Phase::kIdle;
}

}  // namespace qxt::adjust
