// make bench: the shop's record. How long the record takes to hear of a value step the link has
// written (the next frame waits for it) with the server on, paused and stopped, and how many rows
// a second the sender ships to a local server. Figures only; nothing is asserted.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "link/FrameObserver.h"
#include "pg/PgTestServer.h"
#include "program/RecordKeeper.h"
#include "record/ServiceRecord.h"
#include "support/TempDir.h"

using namespace qxt;
using Clock = std::chrono::steady_clock;

namespace {

int64_t Owed(record::ServiceRecord& r) { return r.database()->execAndGet("SELECT COUNT(*) FROM outbox").getInt64(); }

void WaitSent(record::ServiceRecord& r) {
  const auto end = Clock::now() + std::chrono::minutes(5);
  while (Owed(r) > 0 && Clock::now() < end) std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

void Steps(const char* state, program::RecordKeeper& keeper) {
  constexpr int kSteps = 2000;
  std::vector<double> us;
  for (int i = 0; i < kSteps; ++i) {
    const link::LiveCommand power{0x0B, static_cast<uint8_t>(i % 2 == 0 ? 0x53 : 0x54), common::SendReason::kKey};
    const auto start = Clock::now();
    keeper.FrameSent({link::wire::Command::kLive, power, false});
    us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  }
  std::sort(us.begin(), us.end());
  std::printf(
      "| Value step on record after the wire, server %s (median / 99th / max of %d) | %.0f / %.0f / %.0f us | same "
      "within noise |\n",
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
    program::RecordKeeper keeper(record, image);
    record.BeginSession(1, "/dev/ttyUSB0", "bench");
    Steps("on", keeper);
    WaitSent(record);
    server.Pause(true);
    Steps("paused", keeper);
    server.Pause(false);
    server.Stop();
    Steps("stopped", keeper);
    server.Start();
    WaitSent(record);
    Steps("on again", keeper);
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
