#pragma once
// The main window's menus: File ("Restore image...", "History...", "Save report...",
// "Technician...", "E&xit"), Edit ("Undo", "Revert to values as read"), View ("Plot") and
// Option (the COM port and the automatic port release). The window hands each
// item its reaction; the check marks are set on every tick from the options.

#include <QAction>
#include <QMenuBar>
#include <QObject>
#include <array>
#include <functional>

namespace qxt::app {

class MainMenus : public QObject {
  Q_OBJECT

 public:
  struct Reactions {
    std::function<void()> restoreImage;
    std::function<void()> history;
    std::function<void()> saveReport;
    std::function<void()> technician;
    std::function<void()> exit;
    std::function<void()> undo;
    std::function<void()> revert;
    std::function<void(bool)> plot;
    std::function<void(int)> port;     // COM 1..4
    std::function<void(int)> release;  // 0..5 seconds
  };

  MainMenus(QMenuBar* bar, Reactions reactions, QObject* parent = nullptr);

  QAction* portAction(int i) const { return mnuOptSelCom_[static_cast<size_t>(i)]; }
  QAction* releaseAction(int i) const { return mnuOptionSelAutoRelease_[static_cast<size_t>(i)]; }
  QAction* exitAction() const { return mnuFileExit_; }
  QAction* restoreAction() const { return mnuFileRestore_; }
  QAction* historyAction() const { return mnuFileHistory_; }
  QAction* reportAction() const { return mnuFileReport_; }
  QAction* technicianAction() const { return mnuFileTechnician_; }
  QAction* undoAction() const { return mnuEditUndo_; }
  QAction* revertAction() const { return mnuEditRevert_; }
  QAction* plotAction() const { return mnuViewPlot_; }

 private:
  void CreateFile(QMenuBar* bar);
  void CreateEdit(QMenuBar* bar);
  void CreateView(QMenuBar* bar);
  void CreateOption(QMenuBar* bar);

  Reactions reactions_;
  QAction* mnuFileRestore_ = nullptr;
  QAction* mnuFileHistory_ = nullptr;
  QAction* mnuFileReport_ = nullptr;
  QAction* mnuFileTechnician_ = nullptr;
  QAction* mnuFileExit_ = nullptr;
  QAction* mnuEditUndo_ = nullptr;
  QAction* mnuEditRevert_ = nullptr;
  QAction* mnuViewPlot_ = nullptr;
  std::array<QAction*, 5> mnuOptSelCom_{};
  std::array<QAction*, 6> mnuOptionSelAutoRelease_{};
};

}  // namespace qxt::app
