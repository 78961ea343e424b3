#include "record/ServiceRecord.h"

#include <unistd.h>

#include <filesystem>

#include "common/PrivateFiles.h"
#include "common/Sha256.h"
#include "common/XdgDirectory.h"
#include "record/RecordFiles.h"
#include "record/RecordSchema.h"
#include "record/ShopRecord.h"
#include "record/WriteJournal.h"

namespace qxt::record {

namespace {

Field Opt(const std::optional<int32_t>& v) { return v ? Field(int64_t{*v}) : Field(); }
Field Num(int64_t v) { return Field(v); }

}  // namespace

ServiceRecord::ServiceRecord(std::string path, Clock clock, Use use, int busyTimeoutMs)
    : path_(std::move(path)),
      clock_(std::move(clock)),
      use_(use),
      busyTimeoutMs_(busyTimeoutMs),
      store_(path_),
      queue_(
          store_, clock_,
          {[this](const PendingWrite& w) { Written(w); },
           [this](const std::string& why) {
             Recover(why);
             return writable();
           },
           [this](const std::string& text) { Say(text); }, [this](const std::string& gap) { return GapEvent(gap); }}),
      bench_(RecordOptions::HostName()) {
  Open();
}

// What still waits goes to the journal; a clean end removes the mark of a running program.
ServiceRecord::~ServiceRecord() {
  shop_.reset();  // the sender lets go of what it was sending; it stays owed
  if (!queue_.empty() && writable()) queue_.Flush();
  if (!queue_.empty()) WriteJournal(path_ + ".journal").Append(queue_.contents());
  store_.Close();
  if (markedRunning_) std::filesystem::remove(path_ + ".running");
}

void ServiceRecord::Open() {
  const std::string folder = std::filesystem::path(path_).parent_path().string();
  if (!folder.empty()) common::MakePrivateDirectory(folder);
  if (const std::string why = RecordFiles::HeaderProblem(path_); !why.empty()) return Recover(why);
  store_.Open(busyTimeoutMs_);
  if (store_.damaged()) return Recover(store_.problem());
  problem_ = store_.problem();
  openNote_ = store_.note();
  if (!writable() || use_ != Use::kWorking) return;
  const WriteJournal journal(path_ + ".journal");
  if (auto waiting = journal.Read(); !waiting.empty()) {
    store_.MakeMissingSessions(true, Now());
    queue_.Resume(waiting);
    const size_t count = queue_.size();
    queue_.Flush();
    store_.MakeMissingSessions(false);
    if (queue_.empty()) {
      journal.Remove();
      openNote_ += (openNote_.empty() ? "" : " ") + std::to_string(count) +
                   " events the program could not write before it ended were written from " + journal.path() + ".";
    }
  }
  CloseLostSessions();
  const bool unclean = std::filesystem::exists(path_ + ".running");
  markedRunning_ = common::MakePrivateFile(path_ + ".running");
  StartUpkeep(unclean);
}

// The damaged file keeps its contents under a new name for whoever wants to look at it; the
// record goes on from the newest copy that passes its check, or from a new file.
void ServiceRecord::Recover(const std::string& why) {
  store_.Close();
  const std::string aside = RecordFiles::MoveAside(path_, RecordFiles::LocalStamp(clock_()));
  if (aside.empty()) {
    problem_ = "The service record is off: " + path_ + " is damaged (" + why + ") and cannot be moved aside.";
    return Say(problem_);
  }
  const RecordFiles::Copy copy = RecordFiles::NewestGoodCopy(path_);
  std::error_code ec;
  if (!copy.path.empty()) {
    std::filesystem::copy_file(copy.path, path_, std::filesystem::copy_options::overwrite_existing, ec);
    common::MakePrivateFile(path_);
  }
  store_.Open(busyTimeoutMs_);
  store_.NewOrigin();
  problem_ = store_.problem();
  openNote_ = "The service record was damaged (" + why + "); it was moved to " + aside +
              (copy.path.empty() || ec ? " and a new one started."
                                       : " and the record goes on from its daily copy of " + copy.day +
                                             " (what came after that is only in the moved file).");
  store_.MakeMissingSessions(true, Now());
  Say(openNote_);
}

void ServiceRecord::StartUpkeep(bool afterUncleanEnd) {
  upkeepDay_ = RecordSchema::LocalDay(clock_());
  const bool copied = std::filesystem::exists(RecordFiles::CopyPath(path_, upkeepDay_));
  if (!copied || afterUncleanEnd) upkeep_.Start(path_, upkeepDay_, !copied);
}

void ServiceRecord::Poll() {
  if (shop_) {
    if (const std::string notice = shop_->Notice(clock_()); !notice.empty()) Say(notice);
  }
  if (queue_.due()) {
    if (!on()) {
      store_.Open(busyTimeoutMs_);
      if (store_.damaged()) Recover(store_.problem());
      problem_ = store_.problem();
    }
    queue_.Flush();
  }
  std::string text;
  const RecordUpkeep::Finding finding = upkeep_.Take(text);
  if (finding == RecordUpkeep::Finding::kDamaged) {
    Say("The service record failed its daily check (" + text + ").");
    Recover(text);
  }
  if (use_ == Use::kWorking && writable() && !upkeep_.running() && RecordSchema::LocalDay(clock_()) != upkeepDay_) {
    StartUpkeep(false);
  }
}

void ServiceRecord::Enqueue(PendingWrite w, bool droppable) {
  if (!accepting()) return;
  queue_.Add(std::move(w), droppable);
  if (shop_) shop_->Nudge();
}

// Lost writes are named in the session under way.
std::optional<PendingWrite> ServiceRecord::GapEvent(const std::string& gap) const {
  if (!inSession()) return std::nullopt;
  return PendingWrite{
      WriteKind::kEvent,
      {Now(), std::string("gap"), std::string(), Field(), Field(), Field(), std::string(), gap, std::string()},
      session_};
}

// The program learns the ids of the rows its begins made.
void ServiceRecord::Written(const PendingWrite& w) {
  if (w.kind == WriteKind::kBeginSession && w.token == sessionToken_) session_ = store_.session();
  if (w.kind == WriteKind::kBeginSession && w.token == restoreToken_) restoreSession_ = store_.session();
  if (w.kind == WriteKind::kBeginProcedure && w.token == procedureToken_) procedure_ = store_.procedure();
}

void ServiceRecord::BeginSession(int16_t port, const std::string& device, const std::string& technician) {
  if (inSession()) EndSession("closed");
  if (!accepting()) return;
  sessionOpen_ = true;
  sessionRead_ = false;
  session_ = 0;
  changes_.Clear();
  sessionToken_ = queue_.nextToken();
  Enqueue({WriteKind::kBeginSession, {Now(), Num(port), device, technician, bench_, Num(getpid())}}, false);
}

// The first read of a session is the radio as found; a later one (the check read after a
// restore) is an event of its own, so the image before stays the one found.
void ServiceRecord::SessionRadio(const RadioFacts& facts) {
  if (!inSession()) return;
  const std::string sha = common::Sha256Hex(facts.image);
  StoreImage(sha, facts.image);
  if (sessionRead_) return Event("read", "", std::nullopt, std::nullopt, std::nullopt, "", facts.backupPath, sha);
  sessionRead_ = true;
  Enqueue({WriteKind::kSessionRadio, {facts.model, facts.sub, facts.identity, facts.backupPath, sha}, session_}, false);
}

void ServiceRecord::EndSession(const std::string& outcome, const std::string& text) {
  if (!inSession()) return;
  if (procedureOpen_) EndProcedure("", "cancelled", "the session ended");
  Enqueue({WriteKind::kEndSession, {Now(), outcome, text}, session_}, false);
  sessionOpen_ = false;
  session_ = 0;
  sessionToken_ = 0;
}

void ServiceRecord::Event(const std::string& kind, const std::string& item, std::optional<int32_t> address,
                          std::optional<int32_t> before, std::optional<int32_t> after, const std::string& reason,
                          const std::string& text, const std::string& sha, std::optional<int64_t> session) {
  if (!session && !inSession()) return;
  Enqueue({WriteKind::kEvent,
           {Now(), kind, item, Opt(address), Opt(before), Opt(after), reason, text, sha},
           session.value_or(session_)},
          true);
}

void ServiceRecord::ValueSent(const std::string& item, int32_t address, std::optional<int32_t> before, int32_t after,
                              SendReason why) {
  if (!inSession()) return;
  Event("change", item, address >= 0 ? std::optional<int32_t>(address) : std::nullopt, before, after, ReasonName(why),
        "");
  if (changes_.Sent(item, before, after, why)) {
    Enqueue({WriteKind::kChanges, {Num(changes_.count())}, session_}, false);
  }
}

void ServiceRecord::Message(const std::string& kind, const std::string& text) {
  Event(kind, "", std::nullopt, std::nullopt, std::nullopt, "", text);
}

void ServiceRecord::RestoreStarted(const std::string& file, const Bytes& image) {
  if (!inSession()) return;
  restoreOpen_ = true;
  restoreSession_ = session_;
  restoreToken_ = session_ == 0 ? sessionToken_ : 0;
  restoreFile_ = file;
  restoreSha_ = common::Sha256Hex(image);
  StoreImage(restoreSha_, image);
  Event("restore", file, std::nullopt, std::nullopt, 0, RestoreOutcomeName(RestoreOutcome::kStarted),
        "writing " + std::to_string(image.size()) + " bytes into the radio", restoreSha_, restoreSession_);
}

void ServiceRecord::RestoreEnded(RestoreOutcome outcome, int32_t bytesWritten, const std::string& report) {
  if (!restoreOpen_) return;
  Event("restore", restoreFile_, std::nullopt, std::nullopt, bytesWritten, RestoreOutcomeName(outcome), report,
        restoreSha_, restoreSession_);
  restoreOpen_ = false;
}

void ServiceRecord::RestoreRefused(const std::string& file, const std::string& why) {
  Event("restore", file, std::nullopt, std::nullopt, 0, RestoreOutcomeName(RestoreOutcome::kRefused), why);
}

void ServiceRecord::StoreImage(const std::string& sha, const Bytes& image) {
  Enqueue({WriteKind::kImage, {sha, image}}, false);
}

void ServiceRecord::BeginProcedure(const std::string& kind, const std::string& items, const std::string& startValues) {
  if (!inSession()) return;
  procedureOpen_ = true;
  procedure_ = 0;
  procedureKind_ = kind;
  pointSeq_ = 0;
  procedureToken_ = queue_.nextToken();
  Enqueue({WriteKind::kBeginProcedure, {Now(), kind, items, startValues}, session_}, false);
  Event("procedure", kind, std::nullopt, std::nullopt, std::nullopt, "started", startValues);
}

void ServiceRecord::Point(const std::string& series, int32_t setting, int32_t level) {
  if (!procedureOpen_) return;
  Enqueue({WriteKind::kPoint, {Num(pointSeq_++), series, Num(setting), Num(level)}, session_, procedure_}, true);
}

void ServiceRecord::SeriesStarted(const std::string& name, int32_t reference, std::optional<int32_t> target) {
  if (!procedureOpen_) return;
  Enqueue({WriteKind::kSeriesStarted, {name, Num(reference), Opt(target)}, session_, procedure_}, true);
}

void ServiceRecord::SeriesEnded(const std::string& name, int32_t plateauFrom, int32_t plateauTo,
                                std::optional<int32_t> chosen) {
  if (!procedureOpen_) return;
  Enqueue({WriteKind::kSeriesEnded, {Num(plateauFrom), Num(plateauTo), Opt(chosen), name}, session_, procedure_}, true);
}

void ServiceRecord::EndProcedure(const std::string& endValues, const std::string& outcome, const std::string& note) {
  if (!procedureOpen_) return;
  Enqueue({WriteKind::kEndProcedure, {Now(), endValues, outcome, note}, session_, procedure_}, false);
  procedureOpen_ = false;
  procedure_ = 0;
  procedureToken_ = 0;
  Event("procedure", procedureKind_, std::nullopt, std::nullopt, std::nullopt, outcome,
        note.empty() ? endValues : endValues + "; " + note);
}

// A session whose process is gone was cut short (killed, a power cut): it ends as "lost", so
// that the shop's record shows no session open for ever.
void ServiceRecord::CloseLostSessions() {
  for (const int64_t id : store_.LostSessions()) {
    Enqueue({WriteKind::kEndSession,
             {Now(), std::string("lost"), std::string("the program ended without ending this session")},
             id},
            false);
  }
}

void ServiceRecord::UseServer(const RecordOptions& options) {
  if (!options.bench.empty()) bench_ = options.bench;
  shop_.reset();
  std::string why;
  if (use_ == Use::kWorking && writable() && !store_.Ship(options.shared(), why)) {
    Say("The service record cannot note what it owes the server: " + why);
  }
  if (!options.shared()) return;
  // A record that waits for a lock still ships what it owed before; one of a newer version never.
  shop_ = std::make_unique<ShopRecord>(path_, options.server,
                                       use_ == Use::kWorking && store_.state() != RecordStore::State::kReadOnly);
}

}  // namespace qxt::record
