#include <gtest/gtest.h>

#include "support/ProgramRig.h"

using namespace qxt;
using namespace qxt::test;

TEST(ItemTable, SeventeenItemsAsTabled) {
  ProgramRig rig;
  const console::clsConsole& c = rig.program.console();
  ASSERT_EQ(c.ListCount(), 17);
  struct Row {
    const char* title;
    int16_t min, max;
    int32_t eeAdr;
    int16_t e8;
    bool bar, loop;
    int16_t disp, send, enter;
  } rows[] = {
      {"    CH No.", 0, 0, -1, 0x00, false, true, 0, 0, -1},
      {"     Power", 0, 255, 0xA6, 0x0B, true, false, -1, -1, -1},
      {"       BAL", 0, 255, 0x6A, 0x11, true, false, -1, -1, -1},
      {"       MOD", 0, 255, 0x69, 0x0D, true, false, -1, -1, -1},
      {"   Dig MOD", 0, 255, 0x77, 0x1A, true, false, -1, -1, -1},
      {" CTCS/DTCS", 0, 255, 0x53, 0x0F, true, false, -1, -1, -1},
      {"       SQL", 0, 255, 0x131, 0x08, true, false, -1, -1, -1},
      {"       REF", 0, 255, 0xAD, 0x05, true, false, -1, -1, -1},
      {"   BPF ALL", 0, 255, -1, -1, false, false, 2, -1, 7},
      {"    BPF T1", 0, 255, 0x54, 0x13, true, false, 3, -1, 3},
      {"    BPF T2", 0, 255, 0x55, 0x14, true, false, 3, -1, 4},
      {"    RX LVA", 0, 255, 0x5C, 0x06, true, false, 6, -1, 8},
      {"    TX LVA", 0, 255, 0x5D, 0x07, true, false, 6, -1, 9},
      {"LV(RX LVA)", 0, 255, -1, -1, true, false, 7, -1, -1},
      {"LV(TX LVA)", 0, 255, -1, -1, true, false, 7, -1, -1},
      {"      RSSI", 0, 255, -1, -1, false, false, 4, -1, 1},
      {"  Dig Mode", 1, 14, -1, 0x30, true, false, -1, -1, -1},
  };
  for (int16_t i = 0; i < 17; ++i) {
    const Row& r = rows[i];
    SCOPED_TRACE(r.title);
    EXPECT_EQ(c.Title(i), r.title);
    EXPECT_EQ(c.Min(i), r.min);
    EXPECT_EQ(c.Max(i), r.max);
    EXPECT_EQ(c.EeAdr(i), r.eeAdr);
    EXPECT_EQ(c.E8Command(i), r.e8);
    EXPECT_EQ(c.BarExist(i), r.bar);
    EXPECT_EQ(c.LoopVal(i), r.loop);
    EXPECT_EQ(c.Event_Disp(i), r.disp);
    EXPECT_EQ(c.Event_SendE8(i), r.send);
    EXPECT_EQ(c.Event_Enter(i), r.enter);
    EXPECT_FALSE(c.EeDataSigned(i));
    EXPECT_EQ(c.WaitAfterE8(i), 200);  // before any button press
  }
  EXPECT_EQ(rig.program.op().indices().bpfT1, 9);
  EXPECT_EQ(rig.program.op().indices().rxLva, 11);
  EXPECT_EQ(rig.program.op().indices().lvRxLva, 13);
  EXPECT_EQ(rig.program.op().indices().rssi, 15);
  rig.program.main().ClickCmd00(1);  // every button press cancels actions and sets the waits
  EXPECT_EQ(c.WaitAfterE8(9), 200);
  EXPECT_EQ(c.WaitAfterE8(12), 500);
}

TEST(ItemTable, ResourcesSubCodesPortsAndTables) {
  ProgramRig rig;
  model::clsIndOp_RigK70R& op = rig.program.op();
  EXPECT_EQ(rig.view.captions[model::Control::kCmd0], "Connect");
  EXPECT_EQ(rig.view.captions[model::Control::kCmd1], "Reload(F5)");
  EXPECT_EQ(rig.view.captions[model::Control::kCmd2], "Disp para");
  EXPECT_EQ(rig.view.captions[model::Control::kLblProgress], std::string(32, ' '));
  EXPECT_EQ(rig.view.readouts[0].lines, (std::vector<std::string>{"[A/D]", "----", "----", "----", "----", "----"}));
  EXPECT_EQ(rig.view.readouts[1].lines.size(), 10u);
  EXPECT_EQ(rig.view.readouts[1].lines[0], "[D/A]");
  for (const char* ok : {"0100", "0099", "0199", "00", "0"}) EXPECT_TRUE(op.RigOpFunc_CheckSubNameLegal(ok)) << ok;
  for (const char* bad : {"0200", "1000", "02"}) EXPECT_FALSE(op.RigOpFunc_CheckSubNameLegal(bad)) << bad;
  EXPECT_EQ(op.RigK70ROp_Table_Txf_TempBorder(0), 0);
  EXPECT_EQ(op.RigK70ROp_Table_Txf_TempBorder(10), 128);
  EXPECT_EQ(op.RigK70ROp_Table_Txf_TempBorder(20), 255);
  EXPECT_EQ(op.RigK70ROp_Table_Txf_TempBorder(21), 0);

  int clears = rig.view.console.clears;
  op.RigOpFunc_SetComPortNo(1);  // the port in use: nothing
  EXPECT_EQ(rig.view.console.clears, clears);
  op.RigOpFunc_SetComPortNo(2);
  EXPECT_EQ(rig.view.console.clears, clears + 1);
  EXPECT_EQ(rig.program.seq().ComPortNo(), 2);
  EXPECT_EQ(rig.Line(0), "    CH No.: 01 RX = 0.000000, Mode: Wide");  // before any connection
}

TEST(ItemTable, ButtonsBeforeAConnectionOnlyCancel) {
  ProgramRig rig;
  rig.program.console().EnterPushed(15);
  rig.program.main().ClickCmd00(1);
  rig.program.main().ClickCmd00(2);
  EXPECT_FALSE(rig.program.console().flgEnterOn(15));
  EXPECT_FALSE(rig.program.op().flgReadoutReq());
  EXPECT_FALSE(rig.program.op().flgParaDisp());
  EXPECT_TRUE(rig.program.op().isIdle());
}
