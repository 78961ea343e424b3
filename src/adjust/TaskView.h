#pragma once
// What the adjustment task shows: the console and readout lists, the parameter text box, the
// state of the buttons and frames, transfers, reports, notices and the beep. The window's full
// view adds its geometry to this.

#include <string>

#include "common/ListBoxView.h"
#include "common/NoticeSink.h"
#include "common/TextBoxView.h"

namespace qxt::adjust {

// clang-format off
enum class Control {
  kCmd0, kCmd1, kCmd2,           // cmd00(0..2)
  kFra0, kFra1, kFra2, kFra3,    // fra01(0..3); frame 2 lies inside frame 1
  kLbo0, kLbo1,                  // lbo01(0..1), inside frame 2
  kLboConsole,                   // inside frame 1
  kLblTitle, kLblProgress,       // inside frame 0
  kTxtDispPara,                  // inside frame 3
};
// clang-format on

class TaskView : public common::NoticeSink {
 public:
  virtual common::ListBoxView& lboConsole() = 0;
  virtual common::ListBoxView& lbo01(int index) = 0;
  virtual common::TextBoxView& txtDispPara() = 0;

  // Captions of the command buttons and of the progress label.
  virtual void setCaption(Control c, const std::string& text) = 0;
  virtual void setEnabled(Control c, bool on) = 0;
  virtual void setVisible(Control c, bool on) = 0;
  virtual bool isVisible(Control c) const = 0;
  // The button that Enter and Escape press.
  virtual void setDefaultAndCancel(Control c, bool on) = 0;
  virtual void setFocus(Control c) = 0;
  virtual void beep() = 0;

  // A transfer in progress (the clone read of a connection, the write of a restore), shown
  // beside the progress row: its percentage, the seconds left (negative while not known), and
  // whether it can be cancelled.
  virtual void showTransfer(int percent, int secondsLeft, bool cancellable) = 0;
  virtual void hideTransfer() = 0;
  // The outcome of a long operation (a restore), shown without stopping the work.
  virtual void showReport(const std::string& text, bool success) = 0;
};

// The captions of the buttons, the headings of the readout lists and an empty progress line.
void Dress(TaskView& view);
// The frames and buttons for the task's state: the console while connected (edit), the parameter
// listing (para), the shield otherwise; "Connect" waits while the radio streams its memory.
void ShowPanels(TaskView& view, bool edit, bool para, bool streaming);

}  // namespace qxt::adjust
