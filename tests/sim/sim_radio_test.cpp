// The simulator's own parts that the program's tests do not reach through it: the commands typed
// at it, and a hang-up that comes once. (What it answers, its faults and its physics are checked
// through the program: the fault matrix, the procedures, the restore.)
#include <gtest/gtest.h>

#include "common/Common.h"
#include "sim/SimCommands.h"
#include "sim/SimImage.h"
#include "sim/SimRadio.h"

using namespace qxt;

TEST(SimRadio, AHangUpComesOnceAndTheCommandsChangeTheBench) {
  sim::SimRadio radio(sim::DefaultImage({}));
  const Bytes read = common::HexStrToByteStr("FEFEEEEFE229270100FD");
  std::string reply;
  EXPECT_EQ(sim::ApplyCommand("fault hangup 5", radio, reply), sim::CommandResult::kOk);
  auto stream = radio.Receive(read);
  ASSERT_EQ(stream.size(), 1u + 6u);  // echo, blocks 0..5, then the line goes dead
  EXPECT_TRUE(stream.back().hangUpAfter);
  EXPECT_EQ(radio.Receive(read).size(), 1u + 2007u + 1u);  // the next read is whole

  EXPECT_EQ(sim::ApplyCommand("signal s1", radio, reply), sim::CommandResult::kOk);
  EXPECT_EQ(radio.bench.signal, sim::Signal::kS1);
  EXPECT_EQ(sim::ApplyCommand("centre t2 120", radio, reply), sim::CommandResult::kOk);
  EXPECT_EQ(radio.bench.t2Centre, 120);
  EXPECT_EQ(sim::ApplyCommand("block 255", radio, reply), sim::CommandResult::kOk);
  EXPECT_EQ(radio.blockSize, 255);
  EXPECT_EQ(sim::ApplyCommand("help", radio, reply), sim::CommandResult::kOk);
  EXPECT_EQ(reply.rfind("commands: signal s1|s3|off", 0), 0u) << reply;
  for (const char* wrong : {"fault nonsense", "centre t3 1", "temp hot", "block 0", "dance"}) {
    EXPECT_EQ(sim::ApplyCommand(wrong, radio, reply), sim::CommandResult::kError) << wrong;
  }
  EXPECT_EQ(sim::ApplyCommand("quit", radio, reply), sim::CommandResult::kQuit);
}
