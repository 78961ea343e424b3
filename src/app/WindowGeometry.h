#pragma once
// Between the layout's twips (1440 per inch) and the screen's logical pixels, and where a
// top-level window goes: the layout asks for the whole window, frame and title bar included,
// and all of it must stay on the screen.

#include <QMargins>
#include <QRect>

#include "window/MainView.h"

namespace qxt::app {

class WindowGeometry {
 public:
  static QRect ToPixels(const window::TwipsRect& r, double twipsPerPixelX, double twipsPerPixelY);
  // For a window whose outer frame is asked to cover `outer`: the frame's top-left (as move()
  // takes it) and the size inside the frame (as resize() takes it), the whole frame kept inside
  // `available` (shrunk when it is larger, moved when it reaches past an edge).
  static QRect FitOuter(QRect outer, QMargins frame, const QRect& available);
};

}  // namespace qxt::app
