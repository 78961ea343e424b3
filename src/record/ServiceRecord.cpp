#include "record/ServiceRecord.h"

#include <SQLiteCpp/Statement.h>
#include <sqlite3.h>

#include <filesystem>

#include "common/Sha256.h"
#include "common/XdgDirectory.h"
#include "record/RecordSchema.h"

namespace qxt::record {

namespace {

std::string Stamp(std::time_t t, const char* format) {
  std::tm local{};
  localtime_r(&t, &local);
  char text[32];
  std::strftime(text, sizeof text, format, &local);
  return text;
}

template <class T>
void BindOptional(SQLite::Statement& q, int index, const std::optional<T>& v) {
  if (v) {
    q.bind(index, *v);
  } else {
    q.bind(index);
  }
}

}  // namespace

const char* ReasonName(SendReason reason) {
  switch (reason) {
    case SendReason::kKey:
      return "key";
    case SendReason::kProcedure:
      return "procedure";
    case SendReason::kConnect:
      return "connect";
    case SendReason::kMirror:
      return "BAL mirror";
    case SendReason::kRevert:
      return "revert";
    case SendReason::kUndo:
      return "undo";
    case SendReason::kRestore:
      return "restore";
    case SendReason::kPutBack:
      return "put back";
  }
  return "";
}

const char* RestoreOutcomeName(RestoreOutcome outcome) {
  switch (outcome) {
    case RestoreOutcome::kStarted:
      return "started";
    case RestoreOutcome::kVerified:
      return "verified";
    case RestoreOutcome::kDiffers:
      return "not verified";
    case RestoreOutcome::kStopped:
      return "stopped, partly written";
    case RestoreOutcome::kLinkFailed:
      return "failed, partly written";
    case RestoreOutcome::kUnchecked:
      return "written, not checked";
    case RestoreOutcome::kRefused:
      return "refused";
  }
  return "";
}

ServiceRecord::ServiceRecord(std::string path, Clock clock) : path_(std::move(path)), clock_(std::move(clock)) {
  Open();
}

ServiceRecord::~ServiceRecord() = default;

std::string ServiceRecord::DefaultPath() {
  return common::XdgDirectory("XDG_DATA_HOME", ".local/share") + "/qxt7130-adj/service.sqlite";
}

void ServiceRecord::OnTrouble(Trouble trouble) {
  trouble_ = std::move(trouble);
  if (!on() && !problem_.empty() && trouble_) trouble_(problem_);
}

std::string ServiceRecord::Now() const { return Stamp(clock_(), "%Y-%m-%d %H:%M:%S"); }

void ServiceRecord::Open() {
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(path_).parent_path(), ec);
  try {
    db_ = std::make_unique<SQLite::Database>(path_, SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE, kBusyTimeoutMs);
    db_->exec("PRAGMA journal_mode = WAL");
    db_->exec("PRAGMA synchronous = FULL");  // a committed event survives a power cut
    const std::string check = db_->execAndGet("PRAGMA quick_check").getString();
    if (check != "ok") return OpenAfresh("it failed its check: " + check);
    RecordSchema::Migrate(*db_);
  } catch (const SQLite::Exception& e) {
    const int code = e.getErrorCode() & 0xFF;
    if (code == SQLITE_CORRUPT || code == SQLITE_NOTADB) return OpenAfresh(e.what());
    db_.reset();
    problem_ = "The service record is off: " + path_ + " cannot be used (" + e.what() + ").";
  }
}

// The damaged file (and its journal) keeps its contents under a new name for whoever wants to
// look at it; the record starts again in a new file.
void ServiceRecord::OpenAfresh(const std::string& why) {
  db_.reset();
  const std::string aside = path_ + ".damaged-" + Stamp(clock_(), "%Y%m%d-%H%M%S");
  std::error_code ec;
  std::filesystem::rename(path_, aside, ec);
  for (const char* suffix : {"-wal", "-shm"}) std::filesystem::rename(path_ + suffix, aside + suffix, ec);
  if (ec && std::filesystem::exists(path_)) {
    problem_ = "The service record is off: " + path_ + " is damaged (" + why + ") and cannot be moved aside.";
    return;
  }
  openNote_ = "The service record was damaged (" + why + "); it was moved to " + aside + " and a new one started.";
  try {
    db_ = std::make_unique<SQLite::Database>(path_, SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE, kBusyTimeoutMs);
    db_->exec("PRAGMA journal_mode = WAL");
    db_->exec("PRAGMA synchronous = FULL");
    RecordSchema::Migrate(*db_);
  } catch (const SQLite::Exception& e) {
    db_.reset();
    problem_ = "The service record is off: " + path_ + " cannot be used (" + e.what() + ").";
  }
}

void ServiceRecord::Fail(const std::string& what, const std::exception& e) {
  db_.reset();
  session_ = procedure_ = 0;
  problem_ = "The service record is off: " + what + " failed (" + e.what() + "). The work goes on without it.";
  if (trouble_) trouble_(problem_);
}

template <class Fn>
void ServiceRecord::Guarded(const char* what, Fn&& fn) {
  if (!db_) return;
  try {
    fn();
  } catch (const std::exception& e) {
    Fail(what, e);
  }
}

void ServiceRecord::BeginSession(int16_t port, const std::string& device, const std::string& technician) {
  if (inSession()) EndSession("closed");
  Guarded("starting a session", [&] {
    SQLite::Statement q(*db_, "INSERT INTO sessions (started, port, device, technician) VALUES (?, ?, ?, ?)");
    q.bind(1, Now());
    q.bind(2, port);
    q.bind(3, device);
    q.bind(4, technician);
    q.exec();
    session_ = db_->getLastInsertRowid();
    sessionRead_ = false;
  });
}

// The first read of a session is the radio as found; a later one (the check read after a
// restore) is an event of its own, so the image before stays the one found.
void ServiceRecord::SessionRadio(const RadioFacts& facts) {
  if (!inSession()) return;
  const std::string sha = common::Sha256Hex(facts.image);
  StoreImage(sha, facts.image);
  if (sessionRead_) {
    Event("read", "", std::nullopt, std::nullopt, std::nullopt, "", facts.backupPath, sha);
    return;
  }
  sessionRead_ = true;
  Guarded("noting the radio", [&] {
    SQLite::Statement q(*db_,
                        "UPDATE sessions SET model = ?, sub = ?, identity = ?, backup_path = ?, backup_sha256 = ? "
                        "WHERE id = ?");
    q.bind(1, facts.model);
    q.bind(2, facts.sub);
    q.bind(3, facts.identity);
    q.bind(4, facts.backupPath);
    q.bind(5, sha);
    q.bind(6, session_);
    q.exec();
  });
}

void ServiceRecord::EndSession(const std::string& outcome, const std::string& text) {
  if (!inSession()) return;
  if (procedure_ != 0) EndProcedure("", "cancelled", "the session ended");
  Guarded("ending a session", [&] {
    SQLite::Statement q(*db_, "UPDATE sessions SET ended = ?, outcome = ?, outcome_text = ? WHERE id = ?");
    q.bind(1, Now());
    q.bind(2, outcome);
    q.bind(3, text);
    q.bind(4, session_);
    q.exec();
  });
  session_ = 0;
}

void ServiceRecord::Event(const std::string& kind, const std::string& item, std::optional<int32_t> address,
                          std::optional<int32_t> before, std::optional<int32_t> after, const std::string& reason,
                          const std::string& text, const std::string& sha, int64_t session) {
  if (session == 0) session = session_;
  if (session == 0) return;
  Guarded("recording an event", [&] {
    SQLite::Statement q(*db_,
                        "INSERT INTO events (session_id, at, kind, item, address, before, after, reason, text, "
                        "image_sha256) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    q.bind(1, session);
    q.bind(2, Now());
    q.bind(3, kind);
    q.bind(4, item);
    BindOptional(q, 5, address);
    BindOptional(q, 6, before);
    BindOptional(q, 7, after);
    q.bind(8, reason);
    q.bind(9, text);
    q.bind(10, sha);
    q.exec();
  });
}

void ServiceRecord::ValueSent(const std::string& item, int32_t address, std::optional<int32_t> before, int32_t after,
                              SendReason why) {
  Event("change", item, address >= 0 ? std::optional<int32_t>(address) : std::nullopt, before, after, ReasonName(why),
        "");
}

void ServiceRecord::Message(const std::string& kind, const std::string& text) {
  Event(kind, "", std::nullopt, std::nullopt, std::nullopt, "", text);
}

void ServiceRecord::RestoreStarted(const std::string& file, const Bytes& image) {
  restoreSession_ = session_;
  restoreFile_ = file;
  restoreSha_ = common::Sha256Hex(image);
  StoreImage(restoreSha_, image);
  Event("restore", file, std::nullopt, std::nullopt, 0, RestoreOutcomeName(RestoreOutcome::kStarted),
        "writing " + std::to_string(image.size()) + " bytes into the radio", restoreSha_, restoreSession_);
}

void ServiceRecord::RestoreEnded(RestoreOutcome outcome, int32_t bytesWritten, const std::string& report) {
  if (restoreSession_ == 0) return;
  Event("restore", restoreFile_, std::nullopt, std::nullopt, bytesWritten, RestoreOutcomeName(outcome), report,
        restoreSha_, restoreSession_);
  restoreSession_ = 0;
}

void ServiceRecord::RestoreRefused(const std::string& file, const std::string& why) {
  Event("restore", file, std::nullopt, std::nullopt, 0, RestoreOutcomeName(RestoreOutcome::kRefused), why);
}

void ServiceRecord::StoreImage(const std::string& sha, const Bytes& image) {
  Guarded("keeping an image", [&] {
    SQLite::Statement q(*db_, "INSERT OR IGNORE INTO images (sha256, bytes) VALUES (?, ?)");
    q.bind(1, sha);
    q.bind(2, image.data(), static_cast<int>(image.size()));
    q.exec();
  });
}

void ServiceRecord::BeginProcedure(const std::string& kind, const std::string& items, const std::string& startValues) {
  if (!inSession()) return;
  Guarded("recording a procedure", [&] {
    SQLite::Statement q(*db_,
                        "INSERT INTO procedures (session_id, started, kind, items, start_values) "
                        "VALUES (?, ?, ?, ?, ?)");
    q.bind(1, session_);
    q.bind(2, Now());
    q.bind(3, kind);
    q.bind(4, items);
    q.bind(5, startValues);
    q.exec();
    procedure_ = db_->getLastInsertRowid();
    pointSeq_ = 0;
  });
  Event("procedure", kind, std::nullopt, std::nullopt, std::nullopt, "started", startValues);
}

void ServiceRecord::Point(const std::string& series, int32_t setting, int32_t level) {
  if (procedure_ == 0) return;
  Guarded("recording a point", [&] {
    SQLite::Statement q(*db_, "INSERT INTO points (procedure_id, seq, series, setting, level) VALUES (?, ?, ?, ?, ?)");
    q.bind(1, procedure_);
    q.bind(2, pointSeq_++);
    q.bind(3, series);
    q.bind(4, setting);
    q.bind(5, level);
    q.exec();
  });
}

void ServiceRecord::SeriesStarted(const std::string& name, int32_t reference, std::optional<int32_t> target) {
  if (procedure_ == 0) return;
  Guarded("recording a series", [&] {
    SQLite::Statement q(*db_, "INSERT INTO series (procedure_id, name, reference, target) VALUES (?, ?, ?, ?)");
    q.bind(1, procedure_);
    q.bind(2, name);
    q.bind(3, reference);
    BindOptional(q, 4, target);
    q.exec();
  });
}

void ServiceRecord::SeriesEnded(const std::string& name, int32_t plateauFrom, int32_t plateauTo,
                                std::optional<int32_t> chosen) {
  if (procedure_ == 0) return;
  Guarded("recording a series", [&] {
    SQLite::Statement q(*db_,
                        "UPDATE series SET plateau_from = ?, plateau_to = ?, chosen = ?, ended = 1 "
                        "WHERE procedure_id = ? AND name = ? AND ended = 0");
    q.bind(1, plateauFrom);
    q.bind(2, plateauTo);
    BindOptional(q, 3, chosen);
    q.bind(4, procedure_);
    q.bind(5, name);
    q.exec();
  });
}

void ServiceRecord::EndProcedure(const std::string& endValues, const std::string& outcome, const std::string& note) {
  if (procedure_ == 0) return;
  std::string kind;
  Guarded("ending a procedure", [&] {
    SQLite::Statement q(*db_, "UPDATE procedures SET ended = ?, end_values = ?, outcome = ?, note = ? WHERE id = ?");
    q.bind(1, Now());
    q.bind(2, endValues);
    q.bind(3, outcome);
    q.bind(4, note);
    q.bind(5, procedure_);
    q.exec();
    kind = db_->execAndGet("SELECT kind FROM procedures WHERE id = " + std::to_string(procedure_)).getString();
  });
  procedure_ = 0;
  Event("procedure", kind, std::nullopt, std::nullopt, std::nullopt, outcome,
        note.empty() ? endValues : endValues + "; " + note);
}

}  // namespace qxt::record
