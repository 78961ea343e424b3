#include "record/RecordUpkeep.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <filesystem>

#include "common/PrivateFiles.h"
#include "record/RecordFiles.h"

namespace qxt::record {

RecordUpkeep::~RecordUpkeep() { Stop(); }

void RecordUpkeep::Stop() {
  stopping_ = true;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (db_ != nullptr) sqlite3_interrupt(db_->getHandle());
  }
  if (thread_.joinable()) thread_.join();
  stopping_ = false;
}

void RecordUpkeep::Wait() {
  if (thread_.joinable()) thread_.join();
}

void RecordUpkeep::Start(const std::string& path, const std::string& day, bool copy) {
  if (running()) return;
  if (thread_.joinable()) thread_.join();
  finding_ = Finding::kRunning;
  thread_ = std::thread([this, path, day, copy] { Run(path, day, copy); });
}

RecordUpkeep::Finding RecordUpkeep::Take(std::string& text) {
  const Finding f = finding_;
  if (f == Finding::kRunning || f == Finding::kNone) return f;
  std::lock_guard<std::mutex> lock(mutex_);
  text = text_;
  finding_ = Finding::kNone;
  return f;
}

void RecordUpkeep::Run(std::string path, std::string day, bool copy) {
  Finding finding = Finding::kSound;
  std::string text;
  const std::string target = RecordFiles::CopyPath(path, day), part = target + ".part";
  try {
    SQLite::Database db(path, SQLite::OPEN_READONLY);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      db_ = &db;
    }
    struct Forget {
      RecordUpkeep& u;
      ~Forget() {
        std::lock_guard<std::mutex> lock(u.mutex_);
        u.db_ = nullptr;
      }
    } forget{*this};
    if (!stopping_) text = db.execAndGet("PRAGMA quick_check").getString();
    if (text != "ok") {
      finding = Finding::kDamaged;
    } else if (copy && !stopping_) {
      common::MakePrivateDirectory(RecordFiles::CopiesDirectory(path));
      std::filesystem::remove(part);
      SQLite::Statement vacuum(db, "VACUUM INTO ?");
      vacuum.bind(1, part);
      vacuum.exec();
      ::chmod(part.c_str(), 0600);
      std::filesystem::rename(part, target);
      RecordFiles::Prune(path, day);
      text = "copied to " + target;
    }
  } catch (const std::exception& e) {
    std::error_code ec;
    std::filesystem::remove(part, ec);
    const int code = dynamic_cast<const SQLite::Exception*>(&e)
                         ? dynamic_cast<const SQLite::Exception&>(e).getErrorCode() & 0xFF
                         : 0;
    finding = code == SQLITE_CORRUPT || code == SQLITE_NOTADB ? Finding::kDamaged : Finding::kFailed;
    text = e.what();
  }
  std::lock_guard<std::mutex> lock(mutex_);
  text_ = text;
  finding_ = finding;
}

}  // namespace qxt::record
