#include "model/RigK70RRestore.h"

#include "common/Common.h"

namespace qxt::model {

namespace {

constexpr size_t kListedDifferences = 16;

std::string Hex4(int32_t address) { return common::ByteToHex2(address >> 8) + common::ByteToHex2(address); }

}  // namespace

std::optional<std::string> RigK70RRestore::CheckFile(const Bytes& file) {
  const auto expected = static_cast<size_t>(memory::clsCmcEeprom::kDefaultSize);
  if (file.size() == expected) return std::nullopt;
  return "The file holds " + std::to_string(file.size()) + " bytes; an image of this radio holds exactly " +
         std::to_string(expected) + ". Nothing was written.";
}

void RigK70RRestore::StartWrite(const Bytes& file) {
  file_ = file;
  report_.clear();
  outcome_ = record::RestoreOutcome::kStarted;
  written_ = 0;
  radio_.eepImage().WriteBlock(0, file_);
  phase_ = Phase::kWriting;
  seq_.easyCloneWrite();
}

int32_t RigK70RRestore::bytesWritten() const {
  return phase_ == Phase::kWriting ? seq_.driver().lastEeAdr() + 1 : written_;
}

bool RigK70RRestore::FinishWrite() {
  written_ = bytesWritten();
  if (!seq_.driver().writeCancelled()) {
    phase_ = Phase::kVerifying;
    return true;
  }
  outcome_ = record::RestoreOutcome::kStopped;
  report_ = "The restore was cancelled after " + std::to_string(written_) + " of " +
            std::to_string(file_.size()) +
            " bytes: the radio's memory is partly written. Restore the image again before the radio is used.";
  phase_ = Phase::kIdle;
  return false;
}

void RigK70RRestore::Verify(const memory::clsCmcEeprom& readBack) {
  phase_ = Phase::kIdle;
  std::string lines;
  size_t differences = 0;
  for (size_t a = 0; a < file_.size(); ++a) {
    const auto radio = static_cast<uint8_t>(readBack.ReadByte(static_cast<int32_t>(a)));
    if (radio == file_[a]) continue;
    if (++differences <= kListedDifferences) {
      lines += "\r\n" + Hex4(static_cast<int32_t>(a)) + ": radio " + common::ByteToHex2(radio) + ", file " +
               common::ByteToHex2(file_[a]);
    }
  }
  outcome_ = differences == 0 ? record::RestoreOutcome::kVerified : record::RestoreOutcome::kDiffers;
  if (differences == 0) {
    report_ = "The image was restored and verified: the radio holds every byte of it.";
    return;
  }
  report_ = "The image was written, but the radio differs from it in " + std::to_string(differences) +
            " bytes:" + lines + (differences > kListedDifferences ? "\r\n..." : "");
}

void RigK70RRestore::Abandon() {
  if (phase_ == Phase::kIdle) return;
  const bool writing = phase_ == Phase::kWriting;
  if (writing) written_ = bytesWritten();
  outcome_ = writing ? record::RestoreOutcome::kLinkFailed : record::RestoreOutcome::kUnchecked;
  report_ = writing
                ? "The restore stopped with the link: the radio's memory is partly written. Restore the image "
                  "again before the radio is used."
                : "The image was written, but the check read failed: whether the radio holds it is not known. "
                  "Connect again to see.";
  phase_ = Phase::kIdle;
}

}  // namespace qxt::model
