#include "model/RigK70RFormLayout.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "common/Translate.h"

namespace qxt::model {

namespace {

// A whole number of twips, an exact half to the even neighbour, and never below 1.
double WholeHeight(double h) { return std::max(1.0, std::nearbyint(h)); }

}  // namespace

TwipsRect RigK70RFormLayout::FirstWindow(double screenWidth, double screenHeight) {
  double h = std::nearbyint(0.9 * screenHeight);
  if (h < 6600) h = 6600;
  if (h > 9000) h = 8500;
  return {(screenWidth - kWindowWidth) / 2, (screenHeight - h) * 0.3, kWindowWidth, h};
}

LayoutPlan RigK70RFormLayout::Plan(const LayoutInput& in) {
  LayoutPlan p;
  for (int i = 0; i < 3; ++i) {
    p.cmd[i] = {in.sepX1 + ((in.sepX2 - in.sepX1) - (3 * 1800 + 240)) / 2 + (1800 + 120) * i, in.sepY1 + 120, 1800,
                330};
  }
  TwipsRect frame{120, p.cmd[2].top + p.cmd[2].height, in.clientWidth - 240, 0};
  frame.height = WholeHeight(in.clientHeight - frame.top - 120);
  p.fra[0] = p.fra[1] = p.fra[3] = frame;
  p.fra[2] = {120, 180, frame.width - 240, 2400};
  p.lbo[0] = {120, 120, (p.fra[2].width - 360) / 2, p.fra[2].height - 120};
  p.lbo[1] = {p.lbo[0].left + p.lbo[0].width + 120, 120, p.lbo[0].width, p.lbo[0].height};
  p.console = {p.fra[2].left + 120, p.fra[2].top + p.fra[2].height + 120, frame.width - 480, 0};
  p.console.height = WholeHeight(frame.height - p.console.top - 180);
  p.title = {(frame.width - in.titleWidth) / 2, 240, in.titleWidth, in.titleHeight};
  p.progress = {(frame.width - in.progressWidth) / 2, p.title.top + in.titleHeight + 240, in.progressWidth,
                in.progressHeight};
  p.txt = {120, 240, frame.width - 240, WholeHeight(frame.height - 360)};
  return p;
}

void RigK70RFormLayout::Dress(MainView& view) {
  view.setCaption(Control::kCmd0, common::TrNoop("qxt", "Connect"));
  view.setCaption(Control::kCmd1, common::TrNoop("qxt", "Reload(F5)"));
  view.setCaption(Control::kCmd2, common::TrNoop("qxt", "Disp para"));
  const struct {
    int list;
    const char* heading;
    int rows;
  } lists[] = {{0, "[A/D]", 5}, {1, "[D/A]", 9}};
  for (const auto& l : lists) {
    common::ListBoxView& box = view.lbo01(l.list);
    box.clear();
    box.addLine(l.heading);
    for (int r = 0; r < l.rows; ++r) box.addLine("----");
  }
  view.setCaption(Control::kLblProgress, std::string(kProgressWidth, ' '));
}

void RigK70RFormLayout::Arrange(MainView& view, bool firstTime) {
  if (firstTime) view.setWindowRect(FirstWindow(view.screenWidth(), view.screenHeight()));
  const TwipsRect title = view.bounds(Control::kLblTitle);
  const TwipsRect progress = view.bounds(Control::kLblProgress);
  const LayoutPlan p = Plan({view.clientWidth(), view.clientHeight(), view.separatorX1(), view.separatorX2(),
                             view.separatorY1(), title.width, title.height, progress.width, progress.height});
  const Control buttons[] = {Control::kCmd0, Control::kCmd1, Control::kCmd2};
  for (int i = 0; i < 3; ++i) {
    view.place(buttons[i], p.cmd[i]);
    view.appendToTabOrder(buttons[i]);
    view.setVisible(buttons[i], true);
  }
  view.place(Control::kFra0, p.fra[0]);
  view.place(Control::kFra1, p.fra[1]);
  view.place(Control::kFra3, p.fra[3]);
  view.place(Control::kFra2, p.fra[2]);
  view.setBorderless(Control::kFra2);
  view.setVisible(Control::kFra2, true);
  const std::pair<Control, TwipsRect> inner[] = {{Control::kLbo0, p.lbo[0]},          {Control::kLbo1, p.lbo[1]},
                                                 {Control::kLboConsole, p.console},   {Control::kLblTitle, p.title},
                                                 {Control::kLblProgress, p.progress}, {Control::kTxtDispPara, p.txt}};
  for (const auto& [control, rect] : inner) {
    view.place(control, rect);
    view.setVisible(control, true);
  }
  view.appendToTabOrder(Control::kTxtDispPara);
}

}  // namespace qxt::model
