#include "window/FormLayout.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "common/Translate.h"

namespace qxt::window {

namespace {

// A whole number of twips, an exact half to the even neighbour, and never below 1.
double WholeHeight(double h) { return std::max(1.0, std::nearbyint(h)); }

}  // namespace

TwipsRect FormLayout::FirstWindow(double screenWidth, double screenHeight) {
  double h = std::nearbyint(0.9 * screenHeight);
  if (h < 6600) h = 6600;
  if (h > 9000) h = 8500;
  return {(screenWidth - kWindowWidth) / 2, (screenHeight - h) * 0.3, kWindowWidth, h};
}

LayoutPlan FormLayout::Plan(const LayoutInput& in) {
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

void FormLayout::Arrange(MainView& view, bool firstTime) {
  if (firstTime) view.setWindowRect(FirstWindow(view.screenWidth(), view.screenHeight()));
  const TwipsRect title = view.bounds(adjust::Control::kLblTitle);
  const TwipsRect progress = view.bounds(adjust::Control::kLblProgress);
  const LayoutPlan p = Plan({view.clientWidth(), view.clientHeight(), view.separatorX1(), view.separatorX2(),
                             view.separatorY1(), title.width, title.height, progress.width, progress.height});
  const adjust::Control buttons[] = {adjust::Control::kCmd0, adjust::Control::kCmd1, adjust::Control::kCmd2};
  for (int i = 0; i < 3; ++i) {
    view.place(buttons[i], p.cmd[i]);
    view.appendToTabOrder(buttons[i]);
    view.setVisible(buttons[i], true);
  }
  view.place(adjust::Control::kFra0, p.fra[0]);
  view.place(adjust::Control::kFra1, p.fra[1]);
  view.place(adjust::Control::kFra3, p.fra[3]);
  view.place(adjust::Control::kFra2, p.fra[2]);
  view.setBorderless(adjust::Control::kFra2);
  view.setVisible(adjust::Control::kFra2, true);
  const std::pair<adjust::Control, TwipsRect> inner[] = {
      {adjust::Control::kLbo0, p.lbo[0]},          {adjust::Control::kLbo1, p.lbo[1]},
      {adjust::Control::kLboConsole, p.console},   {adjust::Control::kLblTitle, p.title},
      {adjust::Control::kLblProgress, p.progress}, {adjust::Control::kTxtDispPara, p.txt}};
  for (const auto& [control, rect] : inner) {
    view.place(control, rect);
    view.setVisible(control, true);
  }
  view.appendToTabOrder(adjust::Control::kTxtDispPara);
}

}  // namespace qxt::window
