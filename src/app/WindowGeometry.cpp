#include "app/WindowGeometry.h"

#include <algorithm>
#include <cmath>

namespace qxt::app {

QRect WindowGeometry::ToPixels(const window::TwipsRect& r, double twipsPerPixelX, double twipsPerPixelY) {
  return QRect(static_cast<int>(std::lround(r.left / twipsPerPixelX)),
               static_cast<int>(std::lround(r.top / twipsPerPixelY)),
               std::max(0, static_cast<int>(std::lround(r.width / twipsPerPixelX))),
               std::max(0, static_cast<int>(std::lround(r.height / twipsPerPixelY))));
}

QRect WindowGeometry::FitOuter(QRect outer, QMargins frame, const QRect& available) {
  outer.setWidth(std::min(outer.width(), available.width()));
  outer.setHeight(std::min(outer.height(), available.height()));
  outer.moveLeft(std::clamp(outer.left(), available.left(), available.right() + 1 - outer.width()));
  outer.moveTop(std::clamp(outer.top(), available.top(), available.bottom() + 1 - outer.height()));
  const int innerWidth = std::max(1, outer.width() - frame.left() - frame.right());
  const int innerHeight = std::max(1, outer.height() - frame.top() - frame.bottom());
  return QRect(outer.topLeft(), QSize(innerWidth, innerHeight));
}

}  // namespace qxt::app
