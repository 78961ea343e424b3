#pragma once
// The main window: title, port status line, the three command buttons, the readout lists and
// the console in their frames, the parameter text box, and the menus. An image file dropped on it
// opens in an image window. Its widgets are standard Qt widgets, so a screen reader or a GUI test
// tool can read every caption, line and message. The adjustment task sets the captions; the
// window's layout places the controls (in twips, converted to the screen's logical pixels at
// 1440 twips per inch).

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
#include <optional>
#include <vector>

#include "app/BenchDialog.h"
#include "app/FileActions.h"
#include "app/FormControls.h"
#include "app/HelpActions.h"
#include "app/KeyRouter.h"
#include "app/MainMenus.h"
#include "app/OtherPortDialog.h"
#include "app/PlotPanel.h"
#include "app/QtListBox.h"
#include "app/QtTextBox.h"
#include "app/RestoreDialog.h"
#include "app/TransferBar.h"
#include "app/WindowGeometry.h"
#include "program/RigProgram.h"
#include "window/MainView.h"
#include "window/MainWindowView.h"

namespace qxt::app {

class frmMain : public QMainWindow, public window::MainWindowView {
  Q_OBJECT

 public:
  frmMain(link::SerialPort& port, const common::TickSource& ticks,
          const std::string& recordPath = record::ServiceRecord::DefaultPath());
  ~frmMain() override;

  program::RigProgram& program() { return *program_; }
  QListWidget* consoleList() const { return controls_->console(); }
  QListWidget* readoutList(int i) const { return controls_->readouts(i); }
  QPushButton* button(int i) const { return controls_->button(i); }
  QLabel* statusLabel() const { return controls_->statusLabel(); }
  QPlainTextEdit* paramText() const { return controls_->paramText(); }
  MainMenus& menus() const { return *menus_; }
  FileActions& files() const { return *files_; }
  HelpActions& help() const { return *help_; }
  PlotPanel* plotPanel() const { return plot_; }
  // View > "Plot": the panel shown or hidden, and remembered in the options.
  void ShowPlot(bool on);
  // Closes as the system asks (shutdown, a signal): nothing waits for the technician.
  void CloseForSystem() {
    systemClose_ = true;
    close();
  }
  // How "Other port..." chooses a device (a dialog; tests replace it). Empty: cancelled.
  std::function<QString()> chooseOtherPort;
  // Closing while a restore writes the radio asks first (a dialog; tests replace it): true stops
  // the write after the block under way, false keeps writing and the window open.
  std::function<bool(int32_t bytesWritten)> askStopRestore;
  // Runs the program until done() holds: the event loop with its heartbeat (tests tick instead).
  std::function<void(const std::function<bool()>& done)> runUntil;
  // How "Bench generator..." edits the bench options (a dialog; tests replace it). nullopt: cancelled.
  std::function<std::optional<instrument::BenchOptions>(const instrument::BenchOptions&)> editBench;
  QAction* portAction(int i) const { return menus_->portAction(i); }
  QAction* releaseAction(int i) const { return menus_->releaseAction(i); }
  QAction* exitAction() const { return menus_->exitAction(); }
  TransferBar* transferBar() const { return controls_->transfer(); }
  // The last notice of the status bar.
  QString lastNotice() const { return lastNotice_; }

  FormControls& controls() const { return *controls_; }
  void showNotice(const std::string& text);

  // MainWindowView.
  void setPortChecked(int index, bool checked) override;
  void setReleaseChecked(int index, bool checked) override;
  void setStatusLine(const std::string& text, bool portOpen) override;
  void setWindowCaption(const std::string& text) override { setWindowTitle(QString::fromStdString(text)); }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void CreateMenus();
  void Form_Load();
  void Form_Resize();
  void PlaceWindow(const QRect& outer);
  void FitOnScreen();
  std::vector<MainMenus::PortEntry> PortEntries() const;
  void OtherPort();
  void EditBench();
  void ApplyTextSize();
  bool AskStopRestore(int32_t written);

  FormControls* controls_ = nullptr;
  MainMenus* menus_ = nullptr;
  FileActions* files_ = nullptr;
  HelpActions* help_ = nullptr;
  PlotPanel* plot_ = nullptr;
  bool shownOnce_ = false;
  bool systemClose_ = false;
  QRect outer_;  // the whole window as the layout asked for it
  QMargins fittedFrame_;
  QString lastNotice_;
  KeyRouter* keys_ = nullptr;

  std::unique_ptr<program::RigProgram> program_;
  bool closed_ = false;
};

}  // namespace qxt::app
