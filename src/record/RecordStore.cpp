#include "record/RecordStore.h"

#include <SQLiteCpp/Transaction.h>
#include <signal.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cerrno>

#include "common/PrivateFiles.h"
#include "record/RecordSchema.h"

namespace qxt::record {

namespace {

// ?1.. the write's fields, ?20 its session, ?21 its procedure.
constexpr const char* kSql[kWriteKinds] = {
    "INSERT INTO sessions (started, port, device, technician, bench, pid) VALUES (?1, ?2, ?3, ?4, ?5, ?6)",
    "UPDATE sessions SET model = ?1, sub = ?2, identity = ?3, backup_path = ?4, backup_sha256 = ?5 WHERE id = ?20",
    "UPDATE sessions SET ended = ?1, outcome = ?2, outcome_text = ?3 WHERE id = ?20",
    "INSERT INTO events (session_id, at, kind, item, address, before, after, reason, text, image_sha256)"
    " VALUES (?20, ?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)",
    "INSERT OR IGNORE INTO images (sha256, bytes) VALUES (?1, ?2)",
    "INSERT INTO procedures (session_id, started, kind, items, start_values) VALUES (?20, ?1, ?2, ?3, ?4)",
    "UPDATE procedures SET ended = ?1, end_values = ?2, outcome = ?3, note = ?4 WHERE id = ?21",
    "INSERT INTO points (procedure_id, seq, series, setting, level) VALUES (?21, ?1, ?2, ?3, ?4)",
    "INSERT INTO series (procedure_id, name, reference, target) VALUES (?21, ?1, ?2, ?3)",
    "UPDATE series SET plateau_from = ?1, plateau_to = ?2, chosen = ?3, ended = 1"
    " WHERE procedure_id = ?21 AND name = ?4 AND ended = 0",
    "UPDATE sessions SET changes = ?1 WHERE id = ?20",
};

bool NeedsSession(WriteKind k) { return k != WriteKind::kImage && k != WriteKind::kBeginSession; }

bool IsDamage(int code) { return code == SQLITE_CORRUPT || code == SQLITE_NOTADB; }

// Causes that pass: another program's lock, a full disk, a disk that failed for a moment.
bool IsPassing(int code) {
  return code == SQLITE_BUSY || code == SQLITE_LOCKED || code == SQLITE_FULL || code == SQLITE_IOERR ||
         code == SQLITE_READONLY || code == SQLITE_CANTOPEN || code == SQLITE_NOMEM || code == SQLITE_PROTOCOL ||
         code == SQLITE_INTERRUPT;
}

}  // namespace

RecordStore::State RecordStore::Open(int busyTimeoutMs) {
  Close();
  damaged_ = passing_ = false;
  problem_.clear();
  note_.clear();
  try {
    common::MakePrivateFile(path_);  // SQLite gives its WAL files the mode of the database
    db_ = std::make_unique<SQLite::Database>(path_, SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE, busyTimeoutMs);
    // Reading the schema reads the first page: a foreign or overwritten file fails here.
    db_->execAndGet("SELECT COUNT(*) FROM sqlite_master");
    const int version = RecordSchema::VersionOf(*db_);
    if (version > RecordSchema::kVersion) {
      db_ = std::make_unique<SQLite::Database>(path_, SQLite::OPEN_READONLY, busyTimeoutMs);
      note_ = "The service record " + path_ + " was written by a newer version of this program (its version " +
              std::to_string(version) + ", this program knows " + std::to_string(RecordSchema::kVersion) +
              "): it is shown but not written, and this work goes unrecorded.";
      return state_ = State::kReadOnly;
    }
    db_->exec("PRAGMA journal_mode = WAL");
    db_->exec("PRAGMA synchronous = FULL");  // a committed event survives a power cut
    RecordSchema::Migrate(*db_);
  } catch (const SQLite::Exception& e) {
    damaged_ = IsDamage(e.getErrorCode() & 0xFF);
    passing_ = IsPassing(e.getErrorCode() & 0xFF) && (e.getErrorCode() & 0xFF) != SQLITE_CANTOPEN &&
               (e.getErrorCode() & 0xFF) != SQLITE_READONLY;
    db_.reset();
    problem_ = "The service record is off: " + path_ + " cannot be used (" + e.what() + ").";
    return state_ = State::kOff;
  }
  try {
    Prepare();
  } catch (const SQLite::Exception& e) {
    Close();
    problem_ = "The service record is off: the tables of " + path_ + " are not the ones this program knows (" +
               e.what() + ").";
    return state_ = State::kOff;
  }
  return state_ = State::kWritable;
}

RecordStore::Verdict RecordStore::VerdictOn(const SQLite::Exception& e) {
  const int code = e.getErrorCode() & 0xFF;
  if (IsDamage(code)) return Verdict::kDamaged;
  return IsPassing(code) ? Verdict::kWait : Verdict::kRefused;
}

RecordStore::Verdict RecordStore::Begin(std::string& why) {
  if (state_ != State::kWritable) {
    why = problem_.empty() ? "the record is not open for writing" : problem_;
    return Verdict::kWait;
  }
  try {
    db_->exec("BEGIN IMMEDIATE");
  } catch (const SQLite::Exception& e) {
    why = e.what();
    return VerdictOn(e);
  }
  savedSession_ = session_;
  savedProcedure_ = procedure_;
  return Verdict::kWritten;
}

RecordStore::Verdict RecordStore::Commit(std::string& why) {
  try {
    db_->exec("COMMIT");
    return Verdict::kWritten;
  } catch (const SQLite::Exception& e) {
    why = e.what();
    Rollback();
    return VerdictOn(e);
  }
}

void RecordStore::Rollback() {
  try {
    if (db_ && sqlite3_get_autocommit(db_->getHandle()) == 0) db_->exec("ROLLBACK");
  } catch (const SQLite::Exception&) {
    // the transaction is gone already
  }
  session_ = savedSession_;
  procedure_ = savedProcedure_;
}

void RecordStore::Close() {
  for (auto& q : statements_) q.reset();
  stub_.reset();
  db_.reset();
  state_ = State::kOff;
}

void RecordStore::Prepare() {
  for (int k = 0; k < kWriteKinds; ++k)
    statements_[static_cast<size_t>(k)] = std::make_unique<SQLite::Statement>(*db_, kSql[k]);
  stub_ = std::make_unique<SQLite::Statement>(
      *db_,
      "INSERT OR IGNORE INTO sessions (id, started, outcome, outcome_text) VALUES (?1, ?2, 'open',"
      " 'recovered: the start of this session was lost with the damaged file')");
}

void RecordStore::Bind(SQLite::Statement& q, const PendingWrite& w, int64_t session, int64_t procedure) {
  q.reset();
  q.clearBindings();
  for (size_t i = 0; i < w.fields.size(); ++i) {
    const int index = static_cast<int>(i) + 1;
    const Field& f = w.fields[i];
    if (const auto* n = std::get_if<int64_t>(&f)) {
      q.bind(index, *n);
    } else if (const auto* text = std::get_if<std::string>(&f)) {
      q.bind(index, *text);
    } else if (const auto* bytes = std::get_if<Bytes>(&f)) {
      q.bind(index, bytes->data(), static_cast<int>(bytes->size()));
    } else {
      q.bind(index);
    }
  }
  if (q.getBindParameterCount() >= 20) q.bind(20, session);
  if (q.getBindParameterCount() >= 21) q.bind(21, procedure);
}

RecordStore::Verdict RecordStore::Apply(const PendingWrite& w, std::string& why) {
  if (state_ != State::kWritable) {
    why = problem_.empty() ? "the record is not open for writing" : problem_;
    return Verdict::kWait;
  }
  const int64_t session = w.session != 0 ? w.session : session_;
  const int64_t procedure = w.procedure != 0 ? w.procedure : procedure_;
  if (NeedsSession(w.kind) && session == 0) {
    why = "it belongs to no session";
    return Verdict::kRefused;
  }
  SQLite::Statement& q = *statements_[static_cast<size_t>(w.kind)];
  try {
    if (makeMissing_ && NeedsSession(w.kind) && w.session != 0) {
      stub_->reset();
      stub_->bind(1, w.session);
      stub_->bind(2, stubStarted_);
      stub_->exec();
    }
    Bind(q, w, session, procedure);
    q.exec();
  } catch (const SQLite::Exception& e) {
    q.tryReset();
    if (stub_) stub_->tryReset();
    why = e.what();
    return VerdictOn(e);
  }
  if (w.kind == WriteKind::kBeginSession) session_ = db_->getLastInsertRowid();
  if (w.kind == WriteKind::kBeginProcedure) procedure_ = db_->getLastInsertRowid();
  return Verdict::kWritten;
}

// The whole record so far is owed to the server the first time it is shipped, in an order in
// which every row comes after the rows it names.
bool RecordStore::Ship(bool on, std::string& why) {
  if (state_ != State::kWritable) {
    why = problem_.empty() ? "the record is not open for writing" : problem_;
    return false;
  }
  try {
    if ((db_->execAndGet("SELECT COUNT(*) FROM shipping").getInt() > 0) == on) return true;  // as it was
    SQLite::Transaction transaction(*db_, SQLite::TransactionBehavior::IMMEDIATE);
    const bool shipping = db_->execAndGet("SELECT COUNT(*) FROM shipping").getInt() > 0;
    if (on && !shipping) {
      db_->exec("INSERT INTO shipping VALUES ('')");
      db_->exec(
          "INSERT INTO outbox (tab, row) SELECT 'images', sha256 FROM images;"
          "INSERT INTO outbox (tab, row) SELECT 'sessions', id FROM sessions ORDER BY id;"
          "INSERT INTO outbox (tab, row) SELECT 'procedures', id FROM procedures ORDER BY id;"
          "INSERT INTO outbox (tab, row) SELECT 'series', rowid FROM series ORDER BY rowid;"
          "INSERT INTO outbox (tab, row) SELECT 'points', rowid FROM points ORDER BY rowid;"
          "INSERT INTO outbox (tab, row) SELECT 'events', id FROM events ORDER BY id;");
    } else if (!on && shipping) {
      db_->exec("DELETE FROM shipping");
    }
    transaction.commit();
  } catch (const SQLite::Exception& e) {
    why = e.what();
    return false;
  }
  return true;
}

// A file recovered from a copy gives out again the ids of rows the server may already hold
// from the damaged file: under a new origin they are new rows there, not lost ones.
void RecordStore::NewOrigin() {
  if (state_ != State::kWritable) return;
  try {
    db_->exec("UPDATE origin SET key = lower(hex(randomblob(8)))");
  } catch (const SQLite::Exception&) {
    // the rows keep the old key; the server may then take some of them for ones it holds
  }
}

std::vector<int64_t> RecordStore::LostSessions() {
  std::vector<int64_t> lost;
  if (state_ != State::kWritable) return lost;
  try {
    SQLite::Statement q(*db_, "SELECT id, pid FROM sessions WHERE outcome = 'open' AND pid IS NOT NULL ORDER BY id");
    while (q.executeStep()) {
      const auto pid = static_cast<pid_t>(q.getColumn(1).getInt64());
      if (pid == getpid() || (kill(pid, 0) != 0 && errno == ESRCH)) lost.push_back(q.getColumn(0).getInt64());
    }
  } catch (const SQLite::Exception&) {
    lost.clear();  // asked again at the next start
  }
  return lost;
}

}  // namespace qxt::record
