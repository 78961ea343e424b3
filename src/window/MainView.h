#pragma once
// The main window's controls: what the adjustment task drives, and the geometry for the
// layout (all measures in twips, 1/1440 inch; a control inside a frame is placed relative to
// that frame).

#include <string>

#include "adjust/TaskView.h"

namespace qxt::window {

using adjust::Control;

struct TwipsRect {
  double left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

class MainView : public adjust::TaskView {
 public:
  // Layout.
  virtual double screenWidth() const = 0;
  virtual double screenHeight() const = 0;
  virtual void setWindowRect(const TwipsRect& r) = 0;
  virtual double clientWidth() const = 0;
  virtual double clientHeight() const = 0;
  // The end points of the separator line linSepa(1) at the top of the client area.
  virtual double separatorX1() const = 0;
  virtual double separatorX2() const = 0;
  virtual double separatorY1() const = 0;
  // The labels size themselves to their captions.
  virtual TwipsRect bounds(adjust::Control c) const = 0;
  virtual void place(adjust::Control c, const TwipsRect& r) = 0;
  virtual void appendToTabOrder(adjust::Control c) = 0;
  virtual void setBorderless(adjust::Control c) = 0;
};

}  // namespace qxt::window
