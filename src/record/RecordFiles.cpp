#include "record/RecordFiles.h"

#include <SQLiteCpp/Database.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>

namespace qxt::record {

namespace fs = std::filesystem;

namespace {

uint32_t BigEndian(const unsigned char* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
}

// Days since 1970 of "YYYY-MM-DD"; -1 when it is not a date.
long DayNumber(const std::string& day) {
  int y = 0, m = 0, d = 0;
  if (day.size() != 10 || std::sscanf(day.c_str(), "%4d-%2d-%2d", &y, &m, &d) != 3) return -1;
  const std::chrono::year_month_day date{std::chrono::year(y), std::chrono::month(static_cast<unsigned>(m)),
                                         std::chrono::day(static_cast<unsigned>(d))};
  if (!date.ok()) return -1;
  return std::chrono::sys_days(date).time_since_epoch().count();
}

}  // namespace

std::string RecordFiles::HeaderProblem(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  unsigned char header[100] = {};
  in.read(reinterpret_cast<char*>(header), sizeof header);
  const auto got = in.gcount();
  if (got == 0) return "";  // empty: SQLite starts it
  if (got < 100 || std::string(reinterpret_cast<char*>(header), 16) != std::string("SQLite format 3\0", 16)) {
    return "its header is not that of a database";
  }
  uint32_t pageSize = (uint32_t{header[16]} << 8) | header[17];
  if (pageSize == 1) pageSize = 65536;
  if (pageSize < 512 || (pageSize & (pageSize - 1)) != 0) return "its header names no valid page size";
  // The page count in the header counts only when the header's change counter vouches for it.
  const uint32_t pages = BigEndian(header + 28);
  if (pages == 0 || BigEndian(header + 24) != BigEndian(header + 92)) return "";
  std::error_code ec;
  // Pages still in the WAL file (a crash in a checkpoint) may not have reached the file yet.
  if (fs::exists(path + "-wal", ec) && fs::file_size(path + "-wal", ec) > 0) return "";
  const auto size = fs::file_size(path, ec);
  if (!ec && size < static_cast<uintmax_t>(pages) * pageSize) {
    return "it is shorter than its header says (" + std::to_string(size) + " of " +
           std::to_string(static_cast<uintmax_t>(pages) * pageSize) + " bytes)";
  }
  return "";
}

std::string RecordFiles::MoveAside(const std::string& path, const std::string& stamp) {
  const std::string aside = path + ".damaged-" + stamp;
  std::error_code ec;
  fs::rename(path, aside, ec);
  if (ec && fs::exists(path)) return "";
  for (const char* suffix : {"-wal", "-shm"}) fs::rename(path + suffix, aside + suffix, ec);
  return aside;
}

std::string RecordFiles::CopiesDirectory(const std::string& recordPath) {
  return (fs::path(recordPath).parent_path() / "copies").string();
}

std::string RecordFiles::CopyPath(const std::string& recordPath, const std::string& day) {
  return CopiesDirectory(recordPath) + "/" + fs::path(recordPath).stem().string() + "-" + day + ".sqlite";
}

std::vector<RecordFiles::Copy> RecordFiles::Copies(const std::string& recordPath) {
  const std::string prefix = fs::path(recordPath).stem().string() + "-";
  std::vector<Copy> out;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(CopiesDirectory(recordPath), ec)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(prefix, 0) != 0 || entry.path().extension() != ".sqlite") continue;
    const std::string day = name.substr(prefix.size(), 10);
    if (DayNumber(day) >= 0 && name.size() == prefix.size() + 17) out.push_back({day, entry.path().string()});
  }
  std::sort(out.begin(), out.end(), [](const Copy& a, const Copy& b) { return a.day > b.day; });
  return out;
}

bool RecordFiles::Keep(const std::string& day, const std::vector<std::string>& days, const std::string& today) {
  const long d = DayNumber(day), now = DayNumber(today);
  if (d < 0 || now < 0) return false;
  const long age = now - d;
  if (age < 7) return true;
  if (age >= 35) return false;
  // Weeks counted back from today: the newest copy of each of the four weeks after the first.
  for (const std::string& other : days) {
    const long o = DayNumber(other);
    if (o > d && (now - o) / 7 == age / 7) return false;
  }
  return true;
}

void RecordFiles::Prune(const std::string& recordPath, const std::string& today) {
  const auto copies = Copies(recordPath);
  std::vector<std::string> days;
  for (const Copy& c : copies) days.push_back(c.day);
  std::error_code ec;
  for (const Copy& c : copies) {
    if (!Keep(c.day, days, today)) fs::remove(c.path, ec);
  }
}

bool RecordFiles::Sound(const std::string& databasePath, std::string& why) {
  if (why = HeaderProblem(databasePath); !why.empty()) return false;
  try {
    SQLite::Database db(databasePath, SQLite::OPEN_READONLY);
    why = db.execAndGet("PRAGMA quick_check").getString();
    return why == "ok";
  } catch (const std::exception& e) {
    why = e.what();
    return false;
  }
}

RecordFiles::Copy RecordFiles::NewestGoodCopy(const std::string& recordPath) {
  for (const Copy& c : Copies(recordPath)) {
    std::string why;
    if (Sound(c.path, why)) return c;
  }
  return {};
}

std::string RecordFiles::LocalStamp(std::time_t t) {
  std::tm local{};
  localtime_r(&t, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  return text;
}

}  // namespace qxt::record
