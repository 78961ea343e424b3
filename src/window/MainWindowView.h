#pragma once
// The parts of the main window that its own task and handlers drive: menu check marks, the
// port status line and the window caption.

#include <string>

namespace qxt::window {

class MainWindowView {
 public:
  virtual ~MainWindowView() = default;
  // mnuOptSelCom(1..4) and mnuOptionSelAutoRelease(0..5).
  virtual void setPortChecked(int index, bool checked) = 0;
  virtual void setReleaseChecked(int index, bool checked) = 0;
  // lblComBusy: open in the button-text colour, closed in the grey-text colour.
  virtual void setStatusLine(const std::string& text, bool portOpen) = 0;
  virtual void setWindowCaption(const std::string& text) = 0;
};

}  // namespace qxt::window
