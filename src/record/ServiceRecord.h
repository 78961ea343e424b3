#pragma once
// The service record: every session with a radio, every value sent to it and why, every
// procedure with its measured points, every message shown, kept in an SQLite database
// ($XDG_DATA_HOME/qxt7130-adj/service.sqlite). Each event is committed when it happens, in WAL
// mode, so a crash loses at most the event in flight; two copies of the program share the file
// (a busy file is waited for briefly).
//
// The record never stops the work: when the database cannot be opened or written it turns
// itself off and says why, once, through the trouble callback. A damaged file is moved aside
// with a timestamp and a new one started (openNote says where the old one went).

#include <SQLiteCpp/Database.h>

#include <ctime>
#include <functional>
#include <memory>
#include <string>

#include "record/RecordTypes.h"

namespace qxt::record {

class ServiceRecord {
 public:
  using Clock = std::function<std::time_t()>;
  using Trouble = std::function<void(const std::string&)>;

  static constexpr int kBusyTimeoutMs = 1000;

  explicit ServiceRecord(
      std::string path, Clock clock = [] { return std::time(nullptr); });
  ~ServiceRecord();
  ServiceRecord(const ServiceRecord&) = delete;
  ServiceRecord& operator=(const ServiceRecord&) = delete;

  // The default place of the database.
  static std::string DefaultPath();

  bool on() const { return db_ != nullptr; }
  const std::string& path() const { return path_; }
  const std::string& problem() const { return problem_; }
  const std::string& openNote() const { return openNote_; }
  // Called once when the record turns itself off (at once when it could not be opened).
  void OnTrouble(Trouble trouble);

  void BeginSession(int16_t port, const std::string& device, const std::string& technician);
  bool inSession() const { return session_ != 0; }
  int64_t session() const { return session_; }
  // The radio as a read found it: the first read of a session names the radio and its image
  // before; a later one is recorded as a "read" event.
  void SessionRadio(const RadioFacts& facts);
  // outcome: "closed", "error" or "exit"; text: the message that ended it.
  void EndSession(const std::string& outcome, const std::string& text = "");

  void ValueSent(const std::string& item, int32_t address, std::optional<int32_t> before, int32_t after,
                 SendReason why);
  void Message(const std::string& kind, const std::string& text);
  // A restore is on record before the first block goes out, so that a program killed during the
  // write still leaves "started" behind. Its end goes into the session it started in, even when
  // that session has ended meanwhile (a link failure ends the session before the restore).
  void RestoreStarted(const std::string& file, const Bytes& image);
  // outcome: a RestoreOutcome name; bytesWritten: how much of the image the radio took.
  void RestoreEnded(RestoreOutcome outcome, int32_t bytesWritten, const std::string& report);
  // A restore refused before anything was written (no copy of the radio, not an image).
  void RestoreRefused(const std::string& file, const std::string& why);
  // The radio's memory as read is kept by the record in this session.
  bool holdsRadioImage() const { return on() && inSession() && sessionRead_; }

  void BeginProcedure(const std::string& kind, const std::string& items, const std::string& startValues);
  void SeriesStarted(const std::string& name, int32_t reference, std::optional<int32_t> target);
  void Point(const std::string& series, int32_t setting, int32_t level);
  void SeriesEnded(const std::string& name, int32_t plateauFrom, int32_t plateauTo, std::optional<int32_t> chosen);
  void EndProcedure(const std::string& endValues, const std::string& outcome, const std::string& note);

  // The open database, for readers in the same program (nullptr when off).
  SQLite::Database* database() { return db_.get(); }

 private:
  void Open();
  void OpenAfresh(const std::string& why);
  void Fail(const std::string& what, const std::exception& e);
  void Event(const std::string& kind, const std::string& item, std::optional<int32_t> address,
             std::optional<int32_t> before, std::optional<int32_t> after, const std::string& reason,
             const std::string& text, const std::string& sha = "", int64_t session = 0);
  void StoreImage(const std::string& sha, const Bytes& image);
  std::string Now() const;
  template <class Fn>
  void Guarded(const char* what, Fn&& fn);

  std::string path_;
  Clock clock_;
  std::unique_ptr<SQLite::Database> db_;
  std::string problem_, openNote_;
  Trouble trouble_;
  int64_t session_ = 0;
  bool sessionRead_ = false;
  int64_t procedure_ = 0;
  int pointSeq_ = 0;
  int64_t restoreSession_ = 0;
  std::string restoreFile_, restoreSha_;
};

}  // namespace qxt::record
