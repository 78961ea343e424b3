#pragma once
// The main window: title, port status line, the three command buttons, the readout lists and
// the console in their frames, the parameter text box, and the File and Option menus. Its
// widgets are standard Qt widgets, so a screen reader or a GUI test tool can read every caption,
// line and message. The model's adjustment object dresses and lays it out (in twips, converted
// to the screen's logical pixels at 1440 twips per inch).

#include <QActionGroup>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "app/MainMenus.h"
#include "app/PlotPanel.h"
#include "app/QtListBox.h"
#include "app/QtTextBox.h"
#include "app/RecordActions.h"
#include "app/RestoreDialog.h"
#include "app/TransferBar.h"
#include "model/MainView.h"
#include "model/MainWindowView.h"
#include "model/RigProgram.h"

namespace qxt::app {

class frmMain : public QMainWindow, public model::MainView, public model::MainWindowView {
  Q_OBJECT

 public:
  frmMain(link::SerialPort& port, const common::TickSource& ticks,
          const std::string& recordPath = record::ServiceRecord::DefaultPath());
  ~frmMain() override;

  model::RigProgram& program() { return *program_; }
  QListWidget* consoleList() const { return lboConsole_; }
  QListWidget* readoutList(int i) const { return lbo01_[static_cast<size_t>(i)]; }
  QPushButton* button(int i) const { return cmd00_[static_cast<size_t>(i)]; }
  QLabel* statusLabel() const { return lblComBusy_; }
  QPlainTextEdit* paramText() const { return txtDispPara_; }
  MainMenus& menus() const { return *menus_; }
  RecordActions& records() const { return *records_; }
  PlotPanel* plotPanel() const { return plot_; }
  // View > "Plot": the panel shown or hidden, and remembered in the options.
  void ShowPlot(bool on);
  QAction* portAction(int i) const { return menus_->portAction(i); }
  QAction* releaseAction(int i) const { return menus_->releaseAction(i); }
  QAction* exitAction() const { return menus_->exitAction(); }
  TransferBar* transferBar() const { return transfer_; }
  // The last notice of the status bar.
  QString lastNotice() const { return lastNotice_; }

  // How "Restore image..." chooses its file and asks before it writes; tests replace both.
  std::function<QString()> chooseImageFile;
  std::function<bool(const RestoreDialog::Comparison&)> confirmRestore;
  QWidget* control(model::Control c) const;
  // Twips per logical pixel of this window's screen.
  double twipsPerPixelX() const;
  double twipsPerPixelY() const;

  // MainView.
  common::ListBoxView& lboConsole() override { return consoleView_; }
  common::ListBoxView& lbo01(int index) override { return index == 0 ? readoutView0_ : readoutView1_; }
  common::TextBoxView& txtDispPara() override { return paramView_; }
  void setCaption(model::Control c, const std::string& text) override;
  void setEnabled(model::Control c, bool on) override;
  void setVisible(model::Control c, bool on) override;
  bool isVisible(model::Control c) const override;
  void setDefaultAndCancel(model::Control c, bool on) override;
  void setFocus(model::Control c) override;
  void beep() override;
  void showTransfer(int percent, int secondsLeft, bool cancellable) override;
  void hideTransfer() override;
  void showReport(const std::string& text, bool success) override;
  void showNotice(const std::string& text) override;
  double screenWidth() const override;
  double screenHeight() const override;
  void setWindowRect(const model::TwipsRect& r) override;
  double clientWidth() const override;
  double clientHeight() const override;
  double separatorX1() const override { return 0; }
  double separatorX2() const override { return clientWidth(); }
  double separatorY1() const override { return twipsPerPixelY(); }
  model::TwipsRect bounds(model::Control c) const override;
  void place(model::Control c, const model::TwipsRect& r) override;
  void appendToTabOrder(model::Control c) override;
  void setBorderless(model::Control c) override;

  // MainWindowView.
  void setPortChecked(int index, bool checked) override;
  void setReleaseChecked(int index, bool checked) override;
  void setStatusLine(const std::string& text, bool portOpen) override;
  void setWindowCaption(const std::string& text) override { setWindowTitle(QString::fromStdString(text)); }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  void CreateMenus();
  void RestoreImage();
  void Form_Load();
  void Form_Resize();
  bool ConsoleKey(QKeyEvent* key);
  QRect ToPixels(const model::TwipsRect& r) const;

  QWidget* client_ = nullptr;
  QLabel* lblComBusy_ = nullptr;
  std::array<QFrame*, 2> linSepa_{};
  std::array<QPushButton*, 3> cmd00_{};
  std::array<QFrame*, 4> fra01_{};
  QListWidget* lboConsole_ = nullptr;
  std::array<QListWidget*, 2> lbo01_{};
  QLabel* lblTitle_ = nullptr;
  QLabel* lblProgress_ = nullptr;
  QPlainTextEdit* txtDispPara_ = nullptr;
  MainMenus* menus_ = nullptr;
  RecordActions* records_ = nullptr;
  PlotPanel* plot_ = nullptr;
  bool shownOnce_ = false;
  TransferBar* transfer_ = nullptr;
  QString lastNotice_;
  QPushButton* cancelButton_ = nullptr;
  std::vector<QWidget*> tabOrder_;

  QtListBox consoleView_{nullptr};
  QtListBox readoutView0_{nullptr};
  QtListBox readoutView1_{nullptr};
  QtTextBox paramView_{nullptr};
  std::unique_ptr<model::RigProgram> program_;
  bool closed_ = false;
};

}  // namespace qxt::app
