// make bench: the shop's record. How long a value step takes to reach the wire (the record's
// write comes first on that path) with the server on, paused and stopped, and how many rows a
// second the sender ships to a local server. Figures only; nothing is asserted.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "pg/PgTestServer.h"
#include "program/RecordKeeper.h"
#include "record/ServiceRecord.h"
#include "support/TempDir.h"

using namespace qxt;
using Clock = std::chrono::steady_clock;

namespace {

// The sequencer's side: the moment a value reaches it is the moment it goes on the wire.
struct Wire : common::LiveCommandSender {
  bool easySendE8NoAnswer(const std::string&) override {
    at = Clock::now();
    return true;
  }
  bool easySendE8ReqAnswer(const std::string&) override { return true; }
  bool OpRunning() const override { return false; }
  Clock::time_point at;
};

int64_t Owed(record::ServiceRecord& r) { return r.database()->execAndGet("SELECT COUNT(*) FROM outbox").getInt64(); }

void WaitSent(record::ServiceRecord& r) {
  const auto end = Clock::now() + std::chrono::minutes(5);
  while (Owed(r) > 0 && Clock::now() < end) std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

void Steps(const char* state, program::RecordKeeper& keeper, Wire& wire) {
  constexpr int kSteps = 2000;
  std::vector<double> us;
  for (int i = 0; i < kSteps; ++i) {
    const auto start = Clock::now();
    keeper.easySendE8NoAnswer(i % 2 == 0 ? "0B3533" : "0B3534");
    us.push_back(std::chrono::duration<double, std::micro>(wire.at - start).count());
  }
  std::sort(us.begin(), us.end());
  std::printf(
      "| Value step to the wire, server %s (median / 99th / max of %d) | %.0f / %.0f / %.0f us | same within noise |\n",
      state, kSteps, us[us.size() / 2], us[us.size() * 99 / 100], us.back());
}

}  // namespace

int main() {
  if (!test::PgTestServer::Installed()) {
    std::printf("| Shop's record | skipped: PostgreSQL's server programs are not installed | |\n");
    return 0;
  }
  test::PgTestServer server(true);
  const std::string db = server.NewDatabase();
  test::TempDir dir;
  {
    record::ServiceRecord record(dir.file("service.sqlite"));
    record.UseServer({db, "bench"});
    memory::clsCmcEeprom image;
    Wire wire;
    program::RecordKeeper keeper(record, wire, image);
    record.BeginSession(1, "/dev/ttyUSB0", "bench");
    Steps("on", keeper, wire);
    WaitSent(record);
    server.Pause(true);
    Steps("paused", keeper, wire);
    server.Pause(false);
    server.Stop();
    Steps("stopped", keeper, wire);
    server.Start();
    WaitSent(record);
    Steps("on again", keeper, wire);
    record.EndSession("closed");
  }
  // A backlog written while the server was out of reach, shipped at the next start.
  const std::string backlog = dir.file("backlog.sqlite");
  constexpr int kRows = 20000;
  {
    record::ServiceRecord record(backlog);
    record.UseServer({"host=" + dir.path() + " port=1 user=nobody dbname=none", "bench-b"});
    record.BeginSession(1, "/dev/ttyUSB0", "bench");
    for (int i = 0; i < kRows; ++i) record.ValueSent("BAL", 16, i % 200, (i + 1) % 200, record::SendReason::kKey);
    record.EndSession("closed");
  }
  const auto start = Clock::now();
  record::ServiceRecord record(backlog);
  record.UseServer({db, "bench-b"});
  WaitSent(record);
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  std::printf("| Sender against a local server (%d rows waiting at the start) | %.0f rows/s | 3,500 rows/s |\n", kRows,
              kRows / seconds);
  return 0;
}
