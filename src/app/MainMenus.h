#pragma once
// The main window's menus: File ("Open image...", "Recent images", "Restore image...",
// "History...", "Save report...", "Technician...", "E&xit"), Edit ("Undo", "Revert to values as
// read"), View ("Plot", text size), Option (the COM port, the automatic port release, "Bench
// generator..."), Tools ("Align all") and Help ("Manual", "Keyboard shortcuts", "About QX-T7130
// ADJ", "About Qt"). Every item has an access key and a status tip. The window hands each item
// its reaction; the check marks are set on every tick from the options.

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QObject>
#include <array>
#include <functional>
#include <map>
#include <vector>

namespace qxt::app {

class MainMenus : public QObject {
  Q_OBJECT

 public:
  struct Reactions {
    std::function<void(const QString&)> openImage;  // a file, or "" to choose one
    std::function<void()> restoreImage;
    std::function<void()> history;
    std::function<void()> serviceRecord;
    std::function<void()> saveReport;
    std::function<void()> technician;
    std::function<void()> exit;
    std::function<void()> undo;
    std::function<void()> revert;
    std::function<void(bool)> plot;
    std::function<void(int)> textSize;  // +1 larger, -1 smaller
    std::function<void(int)> port;      // a COM number
    std::function<void()> otherPort;
    std::function<void(int)> release;  // 0..5 seconds
    std::function<void()> manual;
    std::function<void()> shortcuts;
    std::function<void()> about;
    std::function<void()> aboutQt;
    std::function<void()> benchGenerator;
    std::function<void()> alignAll;
  };

  // A COM number with its device, as the Port menu shows it.
  struct PortEntry {
    int number;
    QString device, description;
    bool present;
  };

  // ports: the entries of the Port menu, asked for each time it opens.
  MainMenus(QMenuBar* bar, Reactions reactions, std::function<std::vector<PortEntry>()> ports,
            QObject* parent = nullptr);

  // The Port menu's entry of a COM number (nullptr when it has none).
  QAction* portAction(int i) const;
  QAction* otherPortAction() const { return mnuOptOtherPort_; }
  void setPortChecked(int i, bool checked);
  // The entries again, from the devices present now.
  void RebuildPorts();
  static QString PortText(const PortEntry& entry);
  QAction* releaseAction(int i) const { return mnuOptionSelAutoRelease_[static_cast<size_t>(i)]; }
  QAction* exitAction() const { return mnuFileExit_; }
  QAction* openAction() const { return mnuFileOpen_; }
  QMenu* recentMenu() const { return recentMenu_; }
  // The entries of "Recent images", newest first.
  void setRecentImages(const QStringList& files);
  QAction* manualAction() const { return mnuHelpManual_; }
  QAction* shortcutsAction() const { return mnuHelpShortcuts_; }
  QAction* aboutAction() const { return mnuHelpAbout_; }
  QAction* aboutQtAction() const { return mnuHelpAboutQt_; }
  QAction* restoreAction() const { return mnuFileRestore_; }
  QAction* historyAction() const { return mnuFileHistory_; }
  QAction* reportAction() const { return mnuFileReport_; }
  QAction* technicianAction() const { return mnuFileTechnician_; }
  QAction* undoAction() const { return mnuEditUndo_; }
  QAction* revertAction() const { return mnuEditRevert_; }
  QAction* plotAction() const { return mnuViewPlot_; }
  QAction* largerAction() const { return mnuViewLarger_; }
  QAction* smallerAction() const { return mnuViewSmaller_; }
  QAction* benchAction() const { return mnuOptBench_; }
  QAction* alignAllAction() const { return mnuToolsAlignAll_; }

 private:
  void CreateFile(QMenuBar* bar);
  void CreateEdit(QMenuBar* bar);
  void CreateView(QMenuBar* bar);
  void CreateOption(QMenuBar* bar);
  void CreateHelp(QMenuBar* bar);
  void CreateTools(QMenuBar* bar);

  Reactions reactions_;
  QAction* mnuFileOpen_ = nullptr;
  QMenu* recentMenu_ = nullptr;
  QAction* mnuFileRestore_ = nullptr;
  QAction* mnuFileHistory_ = nullptr;
  QAction* mnuFileReport_ = nullptr;
  QAction* mnuFileTechnician_ = nullptr;
  QAction* mnuFileExit_ = nullptr;
  QAction* mnuEditUndo_ = nullptr;
  QAction* mnuEditRevert_ = nullptr;
  QAction* mnuViewPlot_ = nullptr;
  QAction* mnuViewLarger_ = nullptr;
  QAction* mnuViewSmaller_ = nullptr;
  QAction* mnuHelpManual_ = nullptr;
  QAction* mnuHelpShortcuts_ = nullptr;
  QAction* mnuHelpAbout_ = nullptr;
  QAction* mnuHelpAboutQt_ = nullptr;
  QAction* mnuOptBench_ = nullptr;
  QAction* mnuToolsAlignAll_ = nullptr;
  std::function<std::vector<PortEntry>()> ports_;
  QMenu* portMenu_ = nullptr;
  std::map<int, QAction*> mnuOptSelCom_;
  QAction* mnuOptOtherPort_ = nullptr;
  int checkedPort_ = 0;
  std::array<QAction*, 6> mnuOptionSelAutoRelease_{};
};

}  // namespace qxt::app
