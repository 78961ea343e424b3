// The generator spoken to over 127.0.0.1, the simulated generator at the far end.
#include "instrument/SignalGenerator.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "instrument/GeneratorWorker.h"
#include "instrument/LxiTransport.h"
#include "sim/SimScpiServer.h"

namespace qxt::instrument {
namespace {

// A port on which nobody listens: taken from the system, then given back.
int DeadPort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof addr;
  ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
  ::close(fd);
  return ntohs(addr.sin_port);
}

struct Bench {
  Bench() {
    EXPECT_EQ(server.Start(0), "");
    options.generator = "TCPIP0::127.0.0.1::" + std::to_string(server.port()) + "::SOCKET";
    options.timeoutMs = 500;
  }
  sim::SimGenerator sim;
  sim::SimScpiServer server{sim};
  BenchOptions options;
  LxiTransport transport;
};

TEST(SignalGeneratorTest, AGroupSetsFrequencyLevelWithCableLossThenRfAndChecksItsErrors) {
  Bench bench;
  bench.options.cableLoss = 3;
  bench.options.setup = ":OUTP:MOD OFF";
  SignalGenerator gen(bench.transport, bench.options);
  EXPECT_EQ(gen.Apply({446006250, -129.0, true}), "");
  EXPECT_EQ(gen.identity(), sim::SimGenerator::kIdentity);
  EXPECT_EQ(bench.sim.History(),
            (std::vector<std::string>{"*IDN?", "*CLS", ":OUTP:MOD OFF", ":SYST:ERR?", ":FREQ 446006250", ":POW -126",
                                      ":OUTP ON", "*OPC?", ":SYST:ERR?"}));
  EXPECT_EQ(bench.sim.AntennaLevel(446006250, 12500), -126.0);
  EXPECT_EQ(gen.Apply({std::nullopt, std::nullopt, false}), "");
  EXPECT_EQ(bench.sim.AntennaLevel(446006250, 12500), std::nullopt);
  EXPECT_EQ(gen.TakeSent().back(), ":SYST:ERR?");
}

TEST(SignalGeneratorTest, ALevelAboveMaxLevelIsNeverSent) {
  Bench bench;
  bench.options.cableLoss = 6;
  bench.options.maxLevel = -10;
  SignalGenerator gen(bench.transport, bench.options);
  EXPECT_EQ(gen.Apply({100000000, -16.0, true}), "");  // exactly MaxLevel
  const size_t before = bench.sim.History().size();
  const std::string refusal = gen.Apply({100000000, -15.5, true});
  EXPECT_EQ(refusal,
            "The level -9.5 dBm (-15.5 dBm at the antenna and 6 dB of cable) is above MaxLevel=-10 dBm: nothing was "
            "sent to the generator.");
  EXPECT_EQ(bench.sim.History().size(), before);
}

TEST(SignalGeneratorTest, FailuresNameTheInstrumentAndTheNextGroupConnectsAfresh) {
  struct Row {
    const char* name;
    bool dead;
    int delayMs;
    double minLevel;
    const char* expected;
  };
  const Row rows[] = {
      {"unreachable", true, 0, -145, "could not be reached"},
      {"slow", false, 1500, -145, "did not answer *IDN? within 500 ms"},
      {"error", false, 0, -120, "did not take :FREQ 446006250, :POW -129, :OUTP ON: -222,\"Data out of range\""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Bench bench;
    if (row.dead) bench.options.generator = "TCPIP0::127.0.0.1::" + std::to_string(DeadPort()) + "::SOCKET";
    bench.sim.replyDelayMs(row.delayMs);
    bench.sim.minLevel(row.minLevel);
    SignalGenerator gen(bench.transport, bench.options);
    const std::string error = gen.Apply({446006250, -129.0, true});
    EXPECT_NE(error.find("The generator " + bench.options.generator), std::string::npos) << error;
    EXPECT_NE(error.find(row.expected), std::string::npos) << error;
    bench.sim.replyDelayMs(0);
    bench.sim.minLevel(-145);
    if (!row.dead) {
      EXPECT_EQ(gen.Apply({446006250, -129.0, true}), "");
    }
  }
}

TEST(SignalGeneratorTest, TheWorkerRunsGroupsInOrderAndTurnsRfOffAtItsEnd) {
  Bench bench;
  {
    GeneratorWorker worker(std::make_unique<LxiTransport>(), bench.options);
    const uint64_t first = worker.Submit({446006250, -93.0, true});
    const uint64_t second = worker.Submit({std::nullopt, -129.0, std::nullopt});
    ASSERT_TRUE(worker.WaitIdle(5000));
    const auto replies = worker.TakeReplies();
    ASSERT_EQ(replies.size(), 2U);
    EXPECT_EQ(replies[0].id, first);
    EXPECT_EQ(replies[1].id, second);
    EXPECT_EQ(replies[1].sent, (std::vector<std::string>{":POW -129", "*OPC?", ":SYST:ERR?"}));
    EXPECT_TRUE(worker.rfOn());
    EXPECT_EQ(bench.sim.AntennaLevel(446006250, 25000), -129.0);
  }
  EXPECT_EQ(bench.sim.History().back(), ":SYST:ERR?");
  EXPECT_EQ(bench.sim.AntennaLevel(446006250, 25000), std::nullopt);
}

}  // namespace
}  // namespace qxt::instrument
