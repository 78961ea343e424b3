#pragma once
// The controls of the main window's client area (port status line, the three command buttons,
// the frames with the console, the readout lists, the title and progress labels, the parameter
// text box, the transfer bar) and the adjustment task's view of them: captions, visibility, focus and
// placement in twips, converted to the screen's logical pixels at 1440 twips per inch.
// What concerns the whole window (its place on the screen, the status bar) goes through hooks.

#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <array>
#include <functional>
#include <vector>

#include "app/KeyRouter.h"
#include "app/QtListBox.h"
#include "app/QtTextBox.h"
#include "app/TransferBar.h"
#include "window/MainView.h"

namespace qxt::app {

class FormControls : public QObject, public window::MainView {
  Q_OBJECT

 public:
  struct Hooks {
    std::function<void(const QRect& outer)> placeWindow;  // the whole window, in screen pixels
    std::function<void(const std::string&)> notice;
    std::function<void(int)> clicked;  // a command button, 0..2
  };
  static constexpr double kConsolePoints = 9, kReadoutPoints = 8.25;

  FormControls(QWidget* client, Hooks hooks);
  void setKeys(KeyRouter* keys) { keys_ = keys; }

  QWidget* control(window::Control c) const;
  QListWidget* console() const { return lboConsole_; }
  QListWidget* readouts(int i) const { return lbo01_[static_cast<size_t>(i)]; }
  QPushButton* button(int i) const { return cmd00_[static_cast<size_t>(i)]; }
  const std::array<QPushButton*, 3>& buttons() const { return cmd00_; }
  QLabel* statusLabel() const { return lblComBusy_; }
  QLabel* title() const { return lblTitle_; }
  QPlainTextEdit* paramText() const { return txtDispPara_; }
  TransferBar* transfer() const { return transfer_; }
  // Twips per logical pixel of the screen the window is on.
  double twipsPerPixelX() const;
  double twipsPerPixelY() const;
  QRect ToPixels(const window::TwipsRect& r) const;
  // What does not follow the layout: the separator lines and the port status line.
  void PlaceFixed();
  // The console and the readouts in their size plus points.
  void setTextSize(int points);
  // The console gets the keys, where it can take them.
  void FocusConsole();

  // MainView.
  common::ListBoxView& lboConsole() override { return consoleView_; }
  common::ListBoxView& lbo01(int index) override { return index == 0 ? readoutView0_ : readoutView1_; }
  common::TextBoxView& txtDispPara() override { return paramView_; }
  void setCaption(window::Control c, const std::string& text) override;
  void setEnabled(window::Control c, bool on) override { control(c)->setEnabled(on); }
  void setVisible(window::Control c, bool on) override { control(c)->setVisible(on); }
  bool isVisible(window::Control c) const override { return !control(c)->isHidden(); }
  void setDefaultAndCancel(window::Control c, bool on) override;
  void setFocus(window::Control c) override { control(c)->setFocus(Qt::OtherFocusReason); }
  void beep() override;
  void showTransfer(int percent, int secondsLeft, bool cancellable) override;
  void hideTransfer() override { transfer_->hide(); }
  void showReport(const std::string& text, bool success) override;
  void showNotice(const std::string& text) override { hooks_.notice(text); }
  double screenWidth() const override;
  double screenHeight() const override;
  void setWindowRect(const window::TwipsRect& r) override;
  double clientWidth() const override { return client_->width() * twipsPerPixelX(); }
  double clientHeight() const override { return client_->height() * twipsPerPixelY(); }
  double separatorX1() const override { return 0; }
  double separatorX2() const override { return clientWidth(); }
  double separatorY1() const override { return twipsPerPixelY(); }
  window::TwipsRect bounds(window::Control c) const override;
  void place(window::Control c, const window::TwipsRect& r) override;
  void appendToTabOrder(window::Control c) override;
  void setBorderless(window::Control c) override;

 private:
  void Create();

  QWidget* client_;
  Hooks hooks_;
  KeyRouter* keys_ = nullptr;
  QLabel* lblComBusy_ = nullptr;
  std::array<QFrame*, 2> linSepa_{};
  std::array<QPushButton*, 3> cmd00_{};
  std::array<QFrame*, 4> fra01_{};
  QListWidget* lboConsole_ = nullptr;
  std::array<QListWidget*, 2> lbo01_{};
  QLabel* lblTitle_ = nullptr;
  QLabel* lblProgress_ = nullptr;
  QPlainTextEdit* txtDispPara_ = nullptr;
  TransferBar* transfer_ = nullptr;
  std::vector<QWidget*> tabOrder_;
  QtListBox consoleView_{nullptr};
  QtListBox readoutView0_{nullptr};
  QtListBox readoutView1_{nullptr};
  QtTextBox paramView_{nullptr};
};

}  // namespace qxt::app
