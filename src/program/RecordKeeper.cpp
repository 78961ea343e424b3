#include "program/RecordKeeper.h"

#include <algorithm>

#include "adjust/ImageBackup.h"
#include "adjust/ItemTable.h"
#include "common/Common.h"
#include "common/Translate.h"
#include "record/RecordReader.h"

namespace qxt::program {

// The value before is the image's byte (the link writes before the sending part updates the
// image), or for a command without one, the value it last sent.
void RecordKeeper::FrameSent(const link::SentFrame& frame) {
  if (!frame.live) return;
  const link::LiveCommand& c = *frame.live;
  if (frame.asked) {
    record_.Message("readout", "A/D channel " + std::to_string(c.value));
    return;
  }
  const adjust::CommandTarget& target = adjust::TargetOf(c.command);
  const std::optional<int32_t> before =
      target.address >= 0 ? std::optional<int32_t>(image_.ReadByte(target.address)) : lastSent_[c.command];
  const record::SendReason why = c.why.value_or(record::SendReason::kKey);
  // BAL goes out again with each of its mirrors: a value sent again, changing nothing, is not a
  // change.
  if (lastSent_[c.command] == c.value && before == c.value) {
    record_.Message("sent", target.name + " " + std::to_string(c.value) + " again (" + record::ReasonName(why) + ")");
    return;
  }
  record_.ValueSent(target.name, target.address, before, c.value, why);
  lastSent_[c.command] = c.value;
}

void RecordKeeper::Connecting(int16_t port, const std::string& device, const std::string& technician) {
  lastSent_.fill(std::nullopt);
  // The bundled simulator answers on a pseudo-terminal, a radio on a serial device: training
  // sessions stay told apart from customers' radios in every list and report.
  const bool simulated = device.rfind("/dev/pts/", 0) == 0;
  record_.BeginSession(port, simulated ? device + " (simulator)" : device, technician);
}

void RecordKeeper::RadioRead(const record::RadioFacts& facts) { record_.SessionRadio(facts); }

std::string RecordKeeper::IdentityOf(const Bytes& inquiryAnswer) {
  const auto header = static_cast<std::ptrdiff_t>(std::min<size_t>(8, inquiryAnswer.size()));
  return common::ByteStrToHexStr(Bytes(inquiryAnswer.begin() + header, inquiryAnswer.end()));
}

void RecordKeeper::RadioRead(memory::clsCmcRadio& radio, const Bytes& inquiryAnswer, const std::string& backupPath) {
  RadioRead({radio.radioNameM(), radio.radionameS(), IdentityOf(inquiryAnswer), backupPath, radio.eepImage().bytes()});
}

std::optional<std::string> RecordKeeper::UnfinishedRestore(const Bytes& inquiryAnswer) {
  if (!record_.on()) return std::nullopt;
  std::optional<record::RestoreRow> last;
  try {
    last = record_.localReader().LastRestoreOf(IdentityOf(inquiryAnswer));
  } catch (const std::exception&) {
    return std::nullopt;  // a record it cannot read tells nothing either way
  }
  if (!last || last->verified()) return std::nullopt;
  const bool unended = last->outcome == record::RestoreOutcomeName(record::RestoreOutcome::kStarted);
  const std::string how = unended
                              ? common::TrNoop("qxt", "never came to its end")
                              : common::Compose(common::TrNoop("qxt", "did not end verified (%1, %2 bytes written)"),
                                                {last->outcome, std::to_string(last->bytesWritten)});
  return common::Compose(common::TrNoop("qxt",
                                        "The last restore of this radio (%1, from %2) %3: its memory may be partly "
                                        "written. Restore a good image again (File > Restore image..., or "
                                        "qxt7130-adj --restore FILE) before the radio is used; the backups are in %4."),
                         {last->at, last->file, how, adjust::ImageBackup::Directory()});
}

void RecordKeeper::ProcedureStarted(adjust::ProcedureKind kind, const std::string& items, const std::string& values) {
  seriesNotes_.clear();
  record_.BeginProcedure(adjust::KindName(kind), items, values);
}

void RecordKeeper::SeriesStarted(const std::string& series, int16_t reference, std::optional<int16_t> target) {
  record_.SeriesStarted(series, reference, target ? std::optional<int32_t>(*target) : std::nullopt);
}

void RecordKeeper::Point(const std::string& series, int16_t setting, int16_t level) {
  record_.Point(series, setting, level);
}

void RecordKeeper::SeriesEnded(const std::string& series, int16_t plateauFrom, int16_t plateauTo,
                               std::optional<int16_t> chosen) {
  seriesNotes_ += (seriesNotes_.empty() ? "" : "; ") + series + ": " + std::to_string(plateauFrom) + ".." +
                  std::to_string(plateauTo) + (chosen ? ", set to " + std::to_string(*chosen) : ", none chosen");
  record_.SeriesEnded(series, plateauFrom, plateauTo, chosen ? std::optional<int32_t>(*chosen) : std::nullopt);
}

void RecordKeeper::PointStored(const std::string& which, int16_t level) { record_.Point(which, -1, level); }

void RecordKeeper::ProcedureEnded(adjust::ProcedureOutcome outcome, const std::string& values,
                                  const std::string& note) {
  const std::string notes = seriesNotes_.empty() ? note : note.empty() ? seriesNotes_ : seriesNotes_ + "; " + note;
  record_.EndProcedure(values, adjust::OutcomeName(outcome), notes);
}

}  // namespace qxt::program
