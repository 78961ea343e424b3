#include "app/OfflineModes.h"

#include "adjust/ImageFile.h"
#include "memory/ParameterListing.h"
#include "record/HistoryExport.h"
#include "record/RecordReader.h"
#include "record/ServiceRecord.h"

namespace qxt::app {

namespace {

std::string Trimmed(const std::string& s) {
  const size_t b = s.find_first_not_of(' ');
  return b == std::string::npos ? std::string() : s.substr(b);
}

// The record's reader (the shop's when its server can be read), or a message on err when it
// cannot be used.
const record::RecordReader* Usable(record::ServiceRecord& store, std::ostream& err) {
  if (!store.openNote().empty()) err << "qxt7130-adj: " << store.openNote() << "\n";
  if (!store.on() && !store.shared()) {
    err << "qxt7130-adj: " << store.problem() << "\n";
    return nullptr;
  }
  const record::RecordReader& reader = store.reader();
  if (!store.readProblem().empty()) {
    err << "qxt7130-adj: " << store.readProblem() << "\n";
    if (!store.on()) return nullptr;
  }
  return &reader;
}

// A record whose tables this program cannot read (altered, or of another program) is said to be
// so, never a crash.
int Unreadable(const record::RecordReader& reader, const std::exception& e, std::ostream& err) {
  err << "qxt7130-adj: the service record " << reader.Where() << " cannot be read (" << e.what() << ")\n";
  return 1;
}

}  // namespace

int OfflineModes::List(const std::string& file, std::ostream& out, std::ostream& err) {
  std::string why;
  const auto image = adjust::ImageFile::Load(file, why);
  if (!image) {
    err << "qxt7130-adj: " << why << "\n";
    return 1;
  }
  for (const auto& row : memory::ParameterListing::RowsOf(*image)) out << row.label << row.value << "\n";
  return 0;
}

int OfflineModes::Diff(const std::string& a, const std::string& b, std::ostream& out, std::ostream& err) {
  std::string why;
  const auto first = adjust::ImageFile::Load(a, why);
  const auto second = first ? adjust::ImageFile::Load(b, why) : std::nullopt;
  if (!first || !second) {
    err << "qxt7130-adj: " << why << "\n";
    return 1;
  }
  const auto rowsA = memory::ParameterListing::RowsOf(*first);
  const auto rowsB = memory::ParameterListing::RowsOf(*second);
  int differing = 0;
  for (size_t i = 0; i < rowsA.size(); ++i) {
    if (rowsA[i].value == rowsB[i].value) continue;
    out << rowsA[i].label << Trimmed(rowsA[i].value) << " -> " << Trimmed(rowsB[i].value) << "\n";
    ++differing;
  }
  return differing == 0 ? 0 : 1;
}

int OfflineModes::History(record::ServiceRecord& store, bool csv, std::ostream& out, std::ostream& err) {
  const record::RecordReader* reader = Usable(store, err);
  if (reader == nullptr) return 1;
  try {
    const auto sessions = reader->Sessions();
    out << (csv ? record::HistoryExport::SessionsCsv(sessions) : record::HistoryExport::SessionsText(sessions));
  } catch (const std::exception& e) {
    return Unreadable(*reader, e, err);
  }
  return 0;
}

int OfflineModes::Session(record::ServiceRecord& store, int64_t session, bool csv, std::ostream& out,
                          std::ostream& err) {
  const record::RecordReader* reader = Usable(store, err);
  if (reader == nullptr) return 1;
  try {
    return Events(*reader, session, csv, out, err);
  } catch (const std::exception& e) {
    return Unreadable(*reader, e, err);
  }
}

int OfflineModes::Radio(record::ServiceRecord& store, const std::string& identity, bool csv, std::ostream& out,
                        std::ostream& err) {
  const record::RecordReader* reader = Usable(store, err);
  if (reader == nullptr) return 1;
  try {
    const auto sessions = reader->RadioSessions(identity);
    if (sessions.empty()) {
      err << "qxt7130-adj: the service record has no session of the radio " << identity << "\n";
      return 1;
    }
    out << (csv ? record::HistoryExport::SessionsCsv(sessions) : record::HistoryExport::SessionsText(sessions));
  } catch (const std::exception& e) {
    return Unreadable(*reader, e, err);
  }
  return 0;
}

int OfflineModes::Events(const record::RecordReader& reader, int64_t session, bool csv, std::ostream& out,
                         std::ostream& err) {
  const auto summary = reader.Session(session);
  if (!summary) {
    err << "qxt7130-adj: the service record has no session " << session << "\n";
    return 1;
  }
  const auto events = reader.Events(session);
  if (csv) {
    out << record::HistoryExport::EventsCsv(events);
    return 0;
  }
  out << "Session " << summary->id << ", " << summary->started << ", " << record::HistoryExport::Radio(*summary) << ", "
      << summary->device << "\n";
  if (!summary->identity.empty()) out << "Identification data: " << summary->identity << "\n";
  out << record::HistoryExport::EventsText(events);
  return 0;
}

}  // namespace qxt::app
