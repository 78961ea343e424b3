// Frame-driver throughput on a recorded clone-read stream, fed in chunks of several sizes, and
// the time to build the parameter and EEPROM listings. Prints rows of the figures table.

#include <benchmark/benchmark.h>

#include <cstdio>

#include "link/frmCom.h"
#include "memory/clsIndEep_RigK70R.h"
#include "sim/SimImage.h"
#include "sim/SimRadio.h"

using namespace qxt;

namespace {

struct NullPort : link::DriverPort {
  bool comSendEnable() const override { return true; }
  int32_t OutBufferSize() const override { return 1024; }
  int32_t OutBufferCount() const override { return 0; }
  void Output(const Bytes&) override {}
};

struct StillClock : common::TickSource {
  int32_t tickCount() const override { return 0; }
};

const Bytes kRequest = {0xE2, 0x29, 0x27, 0x01, 0x00};

// The line as the program sees it during a clone read: the echo of E2, 2007 blocks, E5.
const Bytes& RecordedStream() {
  static const Bytes stream = [] {
    sim::SimRadio radio(sim::DefaultImage({}));
    Bytes frame{0xFE, 0xFE, 0xEE, 0xEF};
    frame.insert(frame.end(), kRequest.begin(), kRequest.end());
    frame.push_back(0xFD);
    Bytes all;
    for (const auto& out : radio.Receive(frame)) all.insert(all.end(), out.bytes.begin(), out.bytes.end());
    return all;
  }();
  return stream;
}

void DriverThroughput(benchmark::State& state) {
  const Bytes& stream = RecordedStream();
  const auto chunk = static_cast<size_t>(state.range(0));
  StillClock clock;
  NullPort port;
  memory::clsCmcEeprom ee;
  std::vector<Bytes> chunks;
  for (size_t at = 0; at < stream.size(); at += chunk) {
    chunks.emplace_back(stream.begin() + static_cast<std::ptrdiff_t>(at),
                        stream.begin() + static_cast<std::ptrdiff_t>(std::min(at + chunk, stream.size())));
  }
  for (auto _ : state) {
    link::clsCmcCln3Drv drv(port, clock);  // a fresh driver: the block count restarts with each read
    drv.myEep(&ee);
    drv.setWorkMode(link::WorkMode::kCloneRead);
    drv.Send(kRequest);
    for (const Bytes& c : chunks) drv.read(c);
    if (drv.lastError() != link::DriverError::kNone || drv.Running())
      state.SkipWithError("the clone read did not complete");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * stream.size()));
}
BENCHMARK(DriverThroughput)->Arg(1)->Arg(16)->Arg(64)->Arg(4096);

void ParameterListing(benchmark::State& state) {
  memory::clsCmcRadio radio;
  const Bytes image = sim::DefaultImage({});
  radio.eepImage().WriteBlock(0, image);
  memory::clsIndEep_RigK70R dec(radio);
  for (auto _ : state) benchmark::DoNotOptimize(dec.ParameterListing());
}
BENCHMARK(ParameterListing);

void HexListing(benchmark::State& state) {
  memory::clsCmcRadio radio;
  radio.eepImage().WriteBlock(0, sim::DefaultImage({}));
  memory::clsIndEep_RigK70R dec(radio);
  for (auto _ : state) {
    std::string text;
    dec.RigK70REep_DispDebug(text);
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(HexListing);

// Rows of the figures table instead of the usual report.
class TableReporter : public benchmark::BenchmarkReporter {
 public:
  bool ReportContext(const Context&) override { return true; }
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const std::string name = run.benchmark_name();
      if (name.rfind("DriverThroughput/", 0) == 0) {
        const std::string chunk = name.substr(17);
        const double mbps = static_cast<double>(RecordedStream().size()) * static_cast<double>(run.iterations) /
                            run.real_accumulated_time / 1e6;
        std::printf("| Frame driver, clone-read stream in %s-byte chunks | %.1f MB/s | %s |\n", chunk.c_str(), mbps,
                    chunk == "64" ? ">= 100 MB/s" : "-");
      } else {
        const double ms = run.real_accumulated_time / static_cast<double>(run.iterations) * 1e3;
        std::printf("| Build the %s | %.3f ms | - |\n",
                    name == "HexListing" ? "EEPROM hex listing (147 000 characters)" : "67-line parameter listing", ms);
      }
    }
    std::fflush(stdout);
  }
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TableReporter table;
  benchmark::RunSpecifiedBenchmarks(&table);
  benchmark::Shutdown();
  return 0;
}
