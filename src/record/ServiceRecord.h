#pragma once
// The service record: every session with a radio, every value sent to it and why, every
// procedure with its measured points, every message shown, kept in an SQLite database
// ($XDG_DATA_HOME/qxt7130-adj/service.sqlite, for the user only). Each event is committed when it
// happens, in WAL mode, so a crash loses at most the event in flight; two copies of the program
// share the file.
//
// The record never stops the work, and one failure never stops the record: a write the database
// cannot take now (another program's lock, a full disk) waits in memory, in order, and is tried
// again with a growing pause; when the program ends meanwhile it goes to a journal beside the
// record, written in at the next start. Writes lost because too many waited are counted in a gap
// event. A damaged file (found at open, at a failed write or at the daily check) is moved aside
// and the record goes on from the newest good daily copy. A record of a newer version is read
// but not written.

#include <ctime>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "common/XdgDirectory.h"
#include "record/ChangeCount.h"
#include "record/PendingWrite.h"
#include "record/RecordOptions.h"
#include "record/RecordReader.h"
#include "record/RecordSchema.h"
#include "record/RecordStore.h"
#include "record/RecordTypes.h"
#include "record/RecordUpkeep.h"
#include "record/ShopRecord.h"
#include "record/SqliteReader.h"
#include "record/WriteQueue.h"

namespace qxt::record {

class ServiceRecord {
 public:
  using Clock = std::function<std::time_t()>;
  using Trouble = std::function<void(const std::string&)>;
  // kWorking: a window or a transfer (daily check and copy, journal, unclean-end mark);
  // kReading: the command-line listings, which only read.
  enum class Use { kWorking, kReading };

  static constexpr int kBusyTimeoutMs = 1000;

  explicit ServiceRecord(
      std::string path, Clock clock = [] { return std::time(nullptr); }, Use use = Use::kWorking,
      int busyTimeoutMs = kBusyTimeoutMs);
  ~ServiceRecord();
  ServiceRecord(const ServiceRecord&) = delete;
  ServiceRecord& operator=(const ServiceRecord&) = delete;

  // The default place of the database.
  static std::string DefaultPath() {
    return common::XdgDirectory("XDG_DATA_HOME", ".local/share") + "/qxt7130-adj/service.sqlite";
  }

  // Open for reading (also a record of a newer version, which is not written).
  bool on() const { return store_.state() != RecordStore::State::kOff; }
  bool writable() const { return store_.state() == RecordStore::State::kWritable; }
  const std::string& path() const { return path_; }
  const std::string& problem() const { return problem_; }
  const std::string& openNote() const { return openNote_; }
  // What the technician should know as it happens: the record is off, behind, has caught up,
  // was found damaged, was recovered. Called at once with a problem known at open.
  void OnTrouble(Trouble trouble) {
    trouble_ = std::move(trouble);
    if (!on() && !problem_.empty() && trouble_) trouble_(problem_);
  }
  // Whether what happens is recorded: the record is writable, or could not be opened for a
  // cause that passes (a lock), and what happens waits until it can be.
  bool accepting() const {
    if (use_ != Use::kWorking) return false;
    return writable() || (store_.state() == RecordStore::State::kOff && store_.passing());
  }
  // Writes waiting for the database.
  size_t waiting() const { return queue_.size(); }
  bool behind() const { return !queue_.empty(); }

  // Tries again what waits once its pause is over, and takes the daily check's finding; the
  // program calls it on its heartbeat.
  void Poll();
  // The daily check and copy, if one runs, ended (tests and the bench).
  void WaitForUpkeep() { upkeep_.Wait(); }

  void BeginSession(int16_t port, const std::string& device, const std::string& technician);
  bool inSession() const { return sessionOpen_; }
  // The session's row; 0 while its start waits to be written.
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
  bool holdsRadioImage() const { return accepting() && inSession() && sessionRead_; }

  void BeginProcedure(const std::string& kind, const std::string& items, const std::string& startValues);
  void SeriesStarted(const std::string& name, int32_t reference, std::optional<int32_t> target);
  void Point(const std::string& series, int32_t setting, int32_t level);
  void SeriesEnded(const std::string& name, int32_t plateauFrom, int32_t plateauTo, std::optional<int32_t> chosen);
  void EndProcedure(const std::string& endValues, const std::string& outcome, const std::string& note);

  // Where sessions are recorded from now on: the bench's name, and a shop's server that this
  // bench's record is shipped to (a window or a transfer) or read from (every use). No server:
  // this bench's own file only.
  void UseServer(const RecordOptions& options);
  const std::string& bench() const { return bench_; }
  bool shared() const { return shop_ != nullptr; }
  // The shop's record while a server is set and can be read, else this bench's own (only
  // while on()).
  const RecordReader& reader() { return shop_ ? shop_->Reader(local_, clock_()) : local_; }
  // This bench's own record, whatever the server (what must never wait for a network).
  const RecordReader& localReader() { return local_; }
  // Why the shop's record could not be read the last time, or "".
  std::string readProblem() const { return shop_ ? shop_->why() : ""; }
  // Where the record is and whether its server is connected, in a few sentences.
  std::string Describe() const {
    std::string text = "This bench (" + bench_ + ") records in " + path_ + ".";
    if (!on()) text += " " + problem_;
    if (!shop_) return text + " No server is set: the record is this bench's own ([RECORD] Server= in the options).";
    return text + " " + shop_->Describe();
  }
  // The rows this bench still owes the server (0 without a server).
  int64_t owed() const { return shop_ && shop_->sender() != nullptr ? shop_->sender()->status().waiting : 0; }
  // The open connection, for tests that provoke failures (nullptr when off).
  SQLite::Database* database() { return store_.database(); }

 private:
  void Open();
  void Recover(const std::string& why);
  void StartUpkeep(bool afterUncleanEnd);
  void Say(const std::string& text) {
    if (trouble_) trouble_(text);
  }
  void Enqueue(PendingWrite w, bool droppable);
  void Written(const PendingWrite& w);
  void CloseLostSessions();
  // session: the session's row, for an event after its session ended (a restore's end); 0 for
  // the session under way.
  void Event(const std::string& kind, const std::string& item, std::optional<int32_t> address,
             std::optional<int32_t> before, std::optional<int32_t> after, const std::string& reason,
             const std::string& text, const std::string& sha = "", std::optional<int64_t> session = std::nullopt);
  void StoreImage(const std::string& sha, const Bytes& image);
  std::string Now() const { return RecordSchema::UtcStamp(clock_()); }
  std::optional<PendingWrite> GapEvent(const std::string& gap) const;

  std::string path_;
  Clock clock_;
  Use use_;
  int busyTimeoutMs_;
  RecordStore store_;
  WriteQueue queue_;
  SqliteReader local_{store_};
  std::unique_ptr<ShopRecord> shop_;
  std::string bench_;
  RecordUpkeep upkeep_;
  std::string problem_, openNote_, upkeepDay_;
  Trouble trouble_;
  uint64_t sessionToken_ = 0, procedureToken_ = 0;
  bool sessionOpen_ = false, sessionRead_ = false, procedureOpen_ = false, markedRunning_ = false;
  int64_t session_ = 0, procedure_ = 0;
  std::string procedureKind_;
  // The restore under way: its session's row (0: the one whose start waits), file and image.
  bool restoreOpen_ = false;
  int64_t restoreSession_ = 0;
  uint64_t restoreToken_ = 0;
  std::string restoreFile_, restoreSha_;
  int pointSeq_ = 0;
  ChangeCount changes_;
};

}  // namespace qxt::record
