#include <gtest/gtest.h>

#include "model/RigK70RFormLayout.h"
#include "support/ProgramRig.h"

using namespace qxt;
using namespace qxt::test;

TEST(Layout, FirstWindowHeights) {
  EXPECT_EQ(model::RigK70RFormLayout::FirstWindow(9600, 7200).height, 6600);    // 6480 raised
  EXPECT_EQ(model::RigK70RFormLayout::FirstWindow(12800, 9600).height, 8640);   // kept
  EXPECT_EQ(model::RigK70RFormLayout::FirstWindow(15360, 11520).height, 8500);  // 10368 becomes 8500
  EXPECT_EQ(model::RigK70RFormLayout::FirstWindow(12800, 10000 / 0.9).height, 8500);
  EXPECT_EQ(model::RigK70RFormLayout::FirstWindow(9600, 7335).height, 6602);  // 6601.5 to the even 6602
  model::TwipsRect w = model::RigK70RFormLayout::FirstWindow(12800, 9600);
  EXPECT_EQ(w.width, 9525);
  EXPECT_DOUBLE_EQ(w.left, (12800 - 9525) / 2.0);
  EXPECT_DOUBLE_EQ(w.top, (9600 - 8640) * 0.3);
}

TEST(Layout, ControlsOnEveryResize) {
  model::LayoutPlan p = model::RigK70RFormLayout::Plan({9400, 7800, 0, 9400, 15, 3000, 600, 2000, 200});
  EXPECT_EQ(p.cmd[0], (model::TwipsRect{(9400 - 5640) / 2.0, 135, 1800, 330}));
  EXPECT_EQ(p.cmd[1].left - p.cmd[0].left, 1920);
  EXPECT_EQ(p.cmd[2].left + 1800 - 9400, -p.cmd[0].left);  // the row is centred
  EXPECT_EQ(p.fra[0], (model::TwipsRect{120, 465, 9160, 7215}));
  EXPECT_EQ(p.fra[1], p.fra[0]);
  EXPECT_EQ(p.fra[3], p.fra[0]);
  EXPECT_EQ(p.fra[2], (model::TwipsRect{120, 180, 8920, 2400}));
  EXPECT_EQ(p.lbo[0], (model::TwipsRect{120, 120, 4280, 2280}));
  EXPECT_EQ(p.lbo[1], (model::TwipsRect{4520, 120, 4280, 2280}));
  EXPECT_EQ(p.console, (model::TwipsRect{240, 2700, 8680, 4335}));
  EXPECT_EQ(p.title, (model::TwipsRect{3080, 240, 3000, 600}));
  EXPECT_EQ(p.progress, (model::TwipsRect{3580, 1080, 2000, 200}));
  EXPECT_EQ(p.txt, (model::TwipsRect{120, 240, 8920, 6855}));
  model::LayoutPlan tiny = model::RigK70RFormLayout::Plan({100, 100, 0, 100, 15, 3000, 600, 2000, 200});
  EXPECT_EQ(tiny.fra[0].height, 1);
  EXPECT_EQ(tiny.console.height, 1);
  EXPECT_EQ(tiny.txt.height, 1);
  model::LayoutPlan half = model::RigK70RFormLayout::Plan({9400, 1000.5, 0, 9400, 15, 0, 0, 0, 0});
  EXPECT_EQ(half.fra[0].height, 416);  // 415.5 to the even neighbour
}

TEST(Layout, TheWindowIsSizedOnlyOnce) {
  ProgramRig rig;
  rig.program.op().RigOpFunc_FormLayout();
  rig.view.clientW = 5000;
  rig.program.op().RigOpFunc_FormLayout();
  EXPECT_EQ(rig.view.windowSets, 1);
  EXPECT_EQ(rig.view.places[model::Control::kFra1].width, 4760);
  EXPECT_TRUE(rig.view.borderless[model::Control::kFra2]);
  EXPECT_EQ(rig.view.tabOrder.back(), model::Control::kTxtDispPara);
}
