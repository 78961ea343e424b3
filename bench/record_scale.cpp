// The service record at the sizes a bench reaches: 2,000 sessions (a year), 10,000 (five years)
// and 50,000 (twenty), each built from the shape of a real session (its image, the values a
// Connect sends, a few keys, a sweep with its points, messages) in a temporary folder that is
// removed after. For each size: opening the record, `--history` and `--session` of the newest
// (the real program), the history window's first screen and a filter that matches nothing (so
// it looks at every session), and a new session. Prints rows of the figures table.

#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/HistoryWindow.h"
#include "record/RecordFiles.h"
#include "record/RecordSchema.h"
#include "record/ServiceRecord.h"
#include "support/TempDir.h"

#include "FigureTable.h"

using namespace qxt;
using namespace qxt::test;
using qxt::bench::MonotonicMs;
using qxt::bench::Row;

namespace {

std::string Ms(double ms) {
  char text[32];
  std::snprintf(text, sizeof text, ms < 10 ? "%.2f ms" : ms < 10000 ? "%.0f ms" : "%.1f s", ms < 10000 ? ms : ms / 1e3);
  return text;
}

// One session as the program writes it: the template every synthetic session copies.
void RecordTemplate(const std::string& path) {
  record::ServiceRecord r(path);
  r.BeginSession(1, "/dev/ttyUSB0", "Ann Smith");
  r.SessionRadio({"2927", "0100", std::string(122, 'A'), "/backup/2927-0100.bin", Bytes(32112, 1)});
  for (int item = 0; item < 40; ++item)
    r.ValueSent("item " + std::to_string(item), 0x60 + item, 80, 80, record::SendReason::kConnect);
  for (int key = 0; key < 6; ++key) r.ValueSent("Power", 0xA6, 80 + key, 81 + key, record::SendReason::kKey);
  r.BeginProcedure("BPF sweep", "BPF T1", "80");
  r.SeriesStarted("BPF T1", 80, std::nullopt);
  for (int p = 0; p < 120; ++p) r.Point("BPF T1", p, 100 + p % 17);
  r.SeriesEnded("BPF T1", 40, 60, 50);
  r.EndProcedure("81", "done", "");
  r.Message("notice", "The backup of the memory was kept as /backup/2927-0100.bin.");
  r.EndSession("closed");
}

// Sessions from..to copied from the template, each with an image of its own (random bytes, so
// that the file grows as real images make it grow), three hours apart.
void AddSessions(SQLite::Database& db, int64_t from, int64_t to) {
  const std::string range = "WITH RECURSIVE n(i) AS (SELECT " + std::to_string(from) +
                            " UNION ALL SELECT i + 1 FROM n" + " WHERE i < " + std::to_string(to) + ") ";
  db.exec("BEGIN");
  db.exec(range +
          "INSERT INTO sessions (id, started, ended, port, device, model, sub, identity, backup_path, backup_sha256,"
          " outcome, outcome_text, technician, changes) SELECT i, strftime('%Y-%m-%dT%H:%M:%SZ', '2006-01-01',"
          " '+' || (i * 10800) || ' seconds'), NULL, t.port, t.device, t.model, t.sub,"
          " t.identity, t.backup_path, lower(hex(randomblob(32))), 'closed', '',"
          " t.technician, t.changes FROM n, tpl.sessions t");
  db.exec("INSERT INTO images (sha256, bytes) SELECT backup_sha256, randomblob(32112) FROM sessions WHERE id >= " +
          std::to_string(from));
  db.exec(
      "INSERT INTO events (session_id, at, kind, item, address, before, after, reason, text, image_sha256)"
      " SELECT s.id, s.started, e.kind, e.item, e.address, e.before, e.after, e.reason, e.text, e.image_sha256"
      " FROM sessions s, tpl.events e WHERE s.id >= " +
      std::to_string(from) + " ORDER BY s.id, e.id");
  db.exec(
      "INSERT INTO procedures (id, session_id, started, ended, kind, items, start_values, end_values, outcome, note)"
      " SELECT s.id, s.id, s.started, s.started, p.kind, p.items, p.start_values, p.end_values, p.outcome, p.note"
      " FROM sessions s, tpl.procedures p WHERE s.id >= " +
      std::to_string(from));
  db.exec(
      "INSERT INTO points (procedure_id, seq, series, setting, level) SELECT s.id, p.seq, p.series, p.setting,"
      " p.level FROM sessions s, tpl.points p WHERE s.id >= " +
      std::to_string(from) + " ORDER BY s.id, p.seq");
  db.exec(
      "INSERT INTO series SELECT s.id, r.name, r.reference, r.target, r.plateau_from, r.plateau_to, r.chosen,"
      " r.ended FROM sessions s, tpl.series r WHERE s.id >= " +
      std::to_string(from));
  db.exec("COMMIT");
}

struct Reading : record::ServiceRecord {
  explicit Reading(const std::string& path)
      : ServiceRecord(
            path, [] { return std::time(nullptr); }, ServiceRecord::Use::kReading) {}
};

double Timed(const std::function<void()>& fn) {
  const double t0 = MonotonicMs();
  fn();
  return MonotonicMs() - t0;
}

// A session as a Connect, a few keys and the end write it, on a record that is open already:
// the median of three.
double NewSession(const std::string& path) {
  record::ServiceRecord r(path);
  std::vector<double> times;
  for (int i = 0; i < 3; ++i) {
    times.push_back(Timed([&] {
      r.BeginSession(1, "/dev/ttyUSB0", "Ann Smith");
      r.SessionRadio({"2927", "0100", "AABB", "", Bytes(32112, static_cast<uint8_t>(9 + i))});
      for (int item = 0; item < 20; ++item) r.ValueSent("item", 0x60 + item, 80, 81, record::SendReason::kKey);
      r.EndSession("closed");
    }));
  }
  std::sort(times.begin(), times.end());
  return times[1];
}

void Measure(const std::string& path, const std::string& data, int sessions, double emptySession) {
  const std::string n = std::to_string(sessions);
  std::error_code ec;
  const double mb = static_cast<double>(std::filesystem::file_size(path, ec)) / 1e6;
  Row("Service record of " + n + " sessions: file", std::to_string(static_cast<int>(mb)) + " MB", "-");
  Row("  open the record", Ms(Timed([&] { Reading r(path); })), "-");
  // The real program, its output thrown away as a pipe to a pager would take it: the median of 3.
  auto run = [&](const std::string& args) {
    const std::string command =
        "XDG_DATA_HOME='" + data + "' DISPLAY= QT_QPA_PLATFORM= " QXT_APP_PATH " " + args + " > /dev/null 2>&1";
    std::vector<double> times;
    for (int i = 0; i < 3; ++i) {
      times.push_back(Timed([&] {
        if (std::system(command.c_str()) != 0) std::fprintf(stderr, "%s failed\n", command.c_str());
      }));
    }
    std::sort(times.begin(), times.end());
    return Ms(times[1]);
  };
  Row("  `--history` (the real program, whole list)", run("--history"), "grows no faster than the sessions");
  Row("  `--session` of the newest", run("--session " + n), "within 2x of 2,000");
  Reading r(path);
  std::unique_ptr<app::HistoryWindow> window;
  Row("  History window, first screen", Ms(Timed([&] { window = std::make_unique<app::HistoryWindow>(r); })),
      "within 2x of 2,000");
  double longest = 0;
  const double filter = Timed([&] {
    longest = Timed([&] { window->Filter("no such radio"); });
    while (!window->sessions().complete()) longest = std::max(longest, Timed([] { QApplication::processEvents(); }));
  });
  Row("  History window, a filter matching nothing (all sessions looked at; longest step)",
      Ms(filter) + " (" + Ms(longest) + ")", "steps short");
  const double created = NewSession(path);
  Row("  A new session (image, 20 values, end)", Ms(created) + " (empty record: " + Ms(emptySession) + ")",
      "within 2x of an empty record");
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  TempDir dir;
  const std::string data = dir.file("data"), folder = data + "/qxt7130-adj", path = folder + "/service.sqlite";
  std::filesystem::create_directories(folder);
  // The day's copy stands in place, so that no daily check or copy runs beside the figures.
  const std::string today = record::RecordSchema::LocalDay(std::time(nullptr));
  std::filesystem::create_directories(record::RecordFiles::CopiesDirectory(path));
  TempDir::Write(record::RecordFiles::CopyPath(path, today), "");
  RecordTemplate(dir.file("template.sqlite"));
  const double emptySession = NewSession(dir.file("empty.sqlite"));
  {
    record::ServiceRecord make(path);  // the schema
  }
  for (int sessions : {2000, 10000, 50000}) {
    const double ms = Timed([&] {
      SQLite::Database db(path, SQLite::OPEN_READWRITE);
      db.exec("PRAGMA synchronous = OFF");
      db.exec("ATTACH '" + dir.file("template.sqlite") + "' AS tpl");
      // After the sessions a measurement added.
      AddSessions(db, db.execAndGet("SELECT COALESCE(MAX(id), 0) + 1 FROM sessions").getInt64(), sessions);
      db.exec("DETACH tpl");
    });
    ::sync();  // the figures start from a clean page cache, not from 2 GB still to be written
    std::fprintf(stderr, "built %d sessions in %.1f s\n", sessions, ms / 1e3);
    Measure(path, data, sessions, emptySession);
  }
  return 0;
}
