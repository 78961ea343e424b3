#include <gtest/gtest.h>

#include "support/ProgramRig.h"

using namespace qxt;
using namespace qxt::test;
using enum qxt::adjust::Item;
using qxt::adjust::Index;

TEST(ItemTable, SubCodesAndTheChannelLineBeforeAConnection) {
  ProgramRig rig;
  adjust::clsIndOp_RigK70R& op = rig.program.op();
  for (const char* ok : {"0100", "0099", "0199", "00", "0"}) EXPECT_TRUE(op.RigOpFunc_CheckSubNameLegal(ok)) << ok;
  for (const char* bad : {"0200", "1000", "02"}) EXPECT_FALSE(op.RigOpFunc_CheckSubNameLegal(bad)) << bad;

  EXPECT_EQ(rig.Line(Index(kChNo)), "    CH No.: 01 RX = 0.000000, Mode: Wide");  // before any connection
}

TEST(ItemTable, ButtonsBeforeAConnectionOnlyCancelAndSetTheWaits) {
  ProgramRig rig;
  rig.program.console().EnterPushed(Index(kRssi));
  rig.program.main().ClickCmd00(1);
  rig.program.main().ClickCmd00(2);
  EXPECT_FALSE(rig.program.console().flgEnterOn(Index(kRssi)));
  EXPECT_FALSE(rig.program.op().work().cycle().flgReadoutReq());
  EXPECT_FALSE(rig.program.op().work().cycle().flgParaDisp());
  EXPECT_TRUE(rig.program.op().work().isIdle());
  EXPECT_EQ(rig.program.console().WaitAfterE8(Index(kBpfT1)), 200);
  EXPECT_EQ(rig.program.console().WaitAfterE8(Index(kTxLva)), 500);
}
