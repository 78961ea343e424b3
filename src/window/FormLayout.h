#pragma once
// Where the main window's controls go, in twips: the window sized and centred once, then on
// every layout the button row centred below the separator line, frames 0, 1 and 3 covering the
// same rectangle below it, the readout lists side by side above the console, the title and
// progress labels centred, the parameter text box filling its frame. Heights that depend on
// the window never drop below 1.

#include "window/MainView.h"

namespace qxt::window {

struct LayoutInput {
  double clientWidth = 0, clientHeight = 0;
  double sepX1 = 0, sepX2 = 0, sepY1 = 0;
  double titleWidth = 0, titleHeight = 0, progressWidth = 0, progressHeight = 0;
};

struct LayoutPlan {
  TwipsRect cmd[3];
  TwipsRect fra[4];
  TwipsRect lbo[2];
  TwipsRect console, title, progress, txt;
};

class FormLayout {
 public:
  static constexpr double kWindowWidth = 9525;
  // Characters of the progress line.
  static constexpr int kProgressWidth = 32;

  // The first window: 0.9 of the screen height, at least 6600, and 8500 when that passes 9000.
  static TwipsRect FirstWindow(double screenWidth, double screenHeight);
  static LayoutPlan Plan(const LayoutInput& in);

  // Sizes and centres the window (first time only), then places every control.
  static void Arrange(MainView& view, bool firstTime);
};

}  // namespace qxt::window
