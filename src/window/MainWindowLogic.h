#pragma once
// The main window's own behaviour, apart from its widgets: the two options and their load and
// save, the per-tick task (sequencer, adjustment task, check marks, port status line), the clone
// error message, and the keyboard and buttons of the console.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "adjust/SessionLog.h"
#include "adjust/clsIndOp_RigK70R.h"
#include "common/NoticeSink.h"
#include "link/LinkFailure.h"
#include "link/clsCmcCln3Sequence.h"
#include "link/frmCom.h"
#include "settings/clsCmcProfileIO.h"
#include "window/MainWindowView.h"

namespace qxt::window {

class MainWindowLogic {
 public:
  // The keys the window answers to itself: the arrows step the selected item, Enter and the
  // keypad's separator start its action, F5 reloads the readouts.
  enum class Key { kLeft, kRight, kEnter, kSeparator, kF5 };

  MainWindowLogic(link::clsCmcCln3Sequence& seq, adjust::clsIndOp_RigK70R& op, const link::frmCom& com,
                  adjust::SessionLog& keeper, MainWindowView& view, common::NoticeSink& notices);

  static constexpr int kMenuPorts = 4;  // COM 1 to 4 always have a menu entry
  static constexpr int kMaxRelease = 5;

  int16_t comPortNo() const { return comPortNo_; }
  void setComPortNo(int32_t value);
  int16_t comAutoRelease() const { return comAutoRelease_; }
  void setComAutoRelease(int32_t seconds);

  void loadData(settings::clsCmcProfileIO& objProf);
  // False when a value could not be written.
  bool saveData(settings::clsCmcProfileIO& objProf);
  void MsgBoxCloneErr(const link::LinkFailure& failure);
  void task();

  // Returns whether the list box should still see the key.
  bool ConsoleKeyDown(Key key, bool shift, int selectedIndex);
  void FormKeyDown(Key key);
  // The buttons; "Connect" also starts a session of the service record.
  void ClickCmd00(int16_t index);
  // Tools > "Align all": a Connect, then the Sequence of the bench options unattended. The
  // reason when it cannot start (also shown), else "".
  std::string AlignAll();
  // The technician named in the service record and the report ([REPORT] Technician=).
  const std::string& technician() const { return technician_; }
  void setTechnician(const std::string& name) { technician_ = name; }
  // Whether the plot panel is shown ([VIEW] Plot=1).
  bool plotShown() const { return plotShown_; }
  void setPlotShown(bool shown) { plotShown_ = shown; }
  // Points added to the console's and the readouts' text ([VIEW] TextSize=), kMinText..kMaxText.
  static constexpr int kMinText = -2, kMaxText = 8;
  int textSize() const { return textSize_; }
  void setTextSize(int points) { textSize_ = std::clamp(points, kMinText, kMaxText); }
  // The title sequence; returns the new window caption when it is complete.
  std::optional<std::string> ButtonKeyPress(int charCode);

  static std::string StatusText(int16_t port, bool open);
  void ShowStatus();

 private:
  link::clsCmcCln3Sequence& seq_;
  adjust::clsIndOp_RigK70R& op_;
  const link::frmCom& com_;
  adjust::SessionLog& keeper_;
  MainWindowView& view_;
  common::NoticeSink& notices_;
  std::string technician_;
  bool plotShown_ = false;
  int textSize_ = 0;
  int16_t comPortNo_ = 1;
  int16_t comAutoRelease_ = 0;
  std::string keyBuffer_;
};

}  // namespace qxt::window
