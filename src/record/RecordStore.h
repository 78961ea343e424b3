#pragma once
// The service record's connection for writing: opened with a cheap check only, migrated, its
// statements prepared once (which also proves the tables are the ones this program knows), and
// each write applied with a verdict the caller acts on.

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "record/PendingWrite.h"

namespace qxt::record {

class RecordStore {
 public:
  enum class State { kOff, kWritable, kReadOnly };
  enum class Verdict { kWritten, kWait, kDamaged, kRefused };

  explicit RecordStore(std::string path) : path_(std::move(path)) {}

  // Opens the file. kOff with problem() set, or damaged() set when the file is damaged.
  State Open(int busyTimeoutMs);
  void Close();
  State state() const { return state_; }
  const std::string& problem() const { return problem_; }
  bool damaged() const { return damaged_; }
  // Whether the open failed for a cause that passes (another program's lock).
  bool passing() const { return passing_; }
  const std::string& note() const { return note_; }
  SQLite::Database* database() { return db_.get(); }
  const std::string& path() const { return path_; }

  Verdict Apply(const PendingWrite& w, std::string& why);
  // Many writes in one transaction (one sync for all of them: a backlog is written in moments).
  // A rollback also forgets the rows the begins in it made.
  Verdict Begin(std::string& why);
  Verdict Commit(std::string& why);
  void Rollback();
  // The rows the last begins made: the ones writes with 0 refer to.
  int64_t session() const { return session_; }
  int64_t procedure() const { return procedure_; }
  // Writes naming a session that is missing (lost with a damaged file) first make a stand-in row.
  // started: the time the stand-in shows.
  // on: from now on every row written is also noted as owed to the shop's server (the first
  // time, with the whole record so far); off: no longer (what is owed stays owed).
  bool Ship(bool on, std::string& why);
  // This file's rows are named anew on the server (after a recovery from a copy).
  void NewOrigin();
  // The sessions left open by a process of this bench that is gone (killed, a power cut).
  std::vector<int64_t> LostSessions();
  void MakeMissingSessions(bool on, const std::string& started = "") {
    makeMissing_ = on;
    stubStarted_ = started;
  }

 private:
  void Prepare();
  static Verdict VerdictOn(const SQLite::Exception& e);
  void Bind(SQLite::Statement& q, const PendingWrite& w, int64_t session, int64_t procedure);

  std::string path_;
  std::unique_ptr<SQLite::Database> db_;
  std::array<std::unique_ptr<SQLite::Statement>, kWriteKinds> statements_;
  std::unique_ptr<SQLite::Statement> stub_;
  State state_ = State::kOff;
  std::string problem_, note_, stubStarted_;
  bool damaged_ = false, passing_ = false, makeMissing_ = false;
  int64_t session_ = 0, procedure_ = 0, savedSession_ = 0, savedProcedure_ = 0;
};

}  // namespace qxt::record
