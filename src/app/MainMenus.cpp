#include "app/MainMenus.h"

#include <QMenu>

namespace qxt::app {

MainMenus::MainMenus(QMenuBar* bar, Reactions reactions, std::function<std::vector<PortEntry>()> ports, QObject* parent)
    : QObject(parent), reactions_(std::move(reactions)), ports_(std::move(ports)) {
  CreateFile(bar);
  CreateEdit(bar);
  CreateView(bar);
  CreateOption(bar);
  CreateTools(bar);
  CreateHelp(bar);
}

namespace {

QAction* Item(QMenu* menu, const QString& caption, const QString& tip, QObject* context, std::function<void()> run) {
  QAction* a = menu->addAction(caption, context, std::move(run));
  a->setStatusTip(tip);
  return a;
}

}  // namespace

void MainMenus::CreateFile(QMenuBar* bar) {
  QMenu* file = bar->addMenu(tr("&File"));
  mnuFileOpen_ = Item(file, tr("&Open image..."), tr("Show an image file's parameter listing and compare it"), this,
                      [this] { reactions_.openImage(QString()); });
  mnuFileOpen_->setShortcut(QKeySequence::Open);
  recentMenu_ = file->addMenu(tr("Recent &images"));
  recentMenu_->menuAction()->setStatusTip(tr("Open one of the image files opened last"));
  setRecentImages({});
  mnuFileRestore_ = Item(file, tr("&Restore image..."), tr("Write an image file into the radio and check it"), this,
                         [this] { reactions_.restoreImage(); });
  file->addSeparator();
  mnuFileHistory_ =
      Item(file, tr("&History..."), tr("The sessions of the service record"), this, [this] { reactions_.history(); });
  Item(file, tr("Service &record..."), tr("Where the service record is and whether its server is connected"), this,
       [this] { reactions_.serviceRecord(); });
  mnuFileReport_ = Item(file, tr("Save re&port..."), tr("Save the service report of this session as PDF or HTML"), this,
                        [this] { reactions_.saveReport(); });
  mnuFileTechnician_ = Item(file, tr("&Technician..."), tr("The technician named in the record and the reports"), this,
                            [this] { reactions_.technician(); });
  file->addSeparator();
  mnuFileExit_ = Item(file, tr("E&xit"), tr("Close the port, save the options and end the program"), this,
                      [this] { reactions_.exit(); });
  mnuFileExit_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));  // Quit is not bound on every platform theme
}

void MainMenus::CreateEdit(QMenuBar* bar) {
  QMenu* edit = bar->addMenu(tr("&Edit"));
  mnuEditUndo_ = Item(edit, tr("&Undo"), tr("Send the item changed last back to its value before"), this,
                      [this] { reactions_.undo(); });
  mnuEditUndo_->setShortcut(QKeySequence::Undo);
  mnuEditUndo_->setShortcutContext(Qt::WindowShortcut);
  mnuEditRevert_ = Item(edit, tr("&Revert to values as read"), tr("Send every item's value as the radio was read"),
                        this, [this] { reactions_.revert(); });
}

void MainMenus::CreateView(QMenuBar* bar) {
  QMenu* view = bar->addMenu(tr("&View"));
  mnuViewPlot_ = view->addAction(tr("&Plot"));
  mnuViewPlot_->setStatusTip(tr("Show or hide the plot of the procedures and readouts"));
  mnuViewPlot_->setCheckable(true);
  connect(mnuViewPlot_, &QAction::triggered, this, [this](bool on) { reactions_.plot(on); });
  view->addSeparator();
  mnuViewLarger_ =
      Item(view, tr("&Larger text"), tr("Make the window's text larger"), this, [this] { reactions_.textSize(+1); });
  mnuViewLarger_->setShortcuts({QKeySequence::ZoomIn, QKeySequence("Ctrl+=")});
  mnuViewSmaller_ =
      Item(view, tr("&Smaller text"), tr("Make the window's text smaller"), this, [this] { reactions_.textSize(-1); });
  mnuViewSmaller_->setShortcuts(QKeySequence::ZoomOut);
}

void MainMenus::CreateOption(QMenuBar* bar) {
  QMenu* option = bar->addMenu(tr("&Option"));
  portMenu_ = option->addMenu(tr("&Port"));
  portMenu_->menuAction()->setStatusTip(tr("The COM port the radio is connected to"));
  connect(portMenu_, &QMenu::aboutToShow, this, &MainMenus::RebuildPorts);
  RebuildPorts();
  QMenu* release = option->addMenu(tr("&Auto port release"));
  release->menuAction()->setStatusTip(tr("Close an idle port after a time, so other programs can use it"));
  for (int i = 0; i <= 5; ++i) {
    QAction* a = release->addAction(i == 0 ? tr("&OFF") : tr("&%1 sec").arg(i));
    a->setStatusTip(i == 0 ? tr("Keep the port open") : tr("Close the port after %1 s without work").arg(i));
    a->setCheckable(true);
    connect(a, &QAction::triggered, this, [this, i] { reactions_.release(i); });
    mnuOptionSelAutoRelease_[static_cast<size_t>(i)] = a;
  }
  option->addSeparator();
  mnuOptBench_ = Item(option, tr("&Bench generator..."), tr("The signal generator on the bench and the levels it sets"),
                      this, [this] { reactions_.benchGenerator(); });
}

void MainMenus::CreateTools(QMenuBar* bar) {
  QMenu* tools = bar->addMenu(tr("&Tools"));
  mnuToolsAlignAll_ = Item(tools, tr("&Align all"), tr("Connect, then run the procedures of the sequence unattended"),
                           this, [this] { reactions_.alignAll(); });
}

void MainMenus::CreateHelp(QMenuBar* bar) {
  QMenu* help = bar->addMenu(tr("&Help"));
  mnuHelpManual_ = Item(help, tr("&Manual"), tr("The user manual"), this, [this] { reactions_.manual(); });
  mnuHelpManual_->setShortcut(QKeySequence::HelpContents);
  mnuHelpShortcuts_ = Item(help, tr("&Keyboard shortcuts"), tr("The keys of the console and the menus"), this,
                           [this] { reactions_.shortcuts(); });
  help->addSeparator();
  mnuHelpAbout_ = Item(help, tr("&About QX-T7130 ADJ"),
                       tr("The version, the licence, and where the options, backups and record are"), this,
                       [this] { reactions_.about(); });
  mnuHelpAboutQt_ =
      Item(help, tr("About &Qt"), tr("The version of Qt the program uses"), this, [this] { reactions_.aboutQt(); });
}

void MainMenus::setRecentImages(const QStringList& files) {
  recentMenu_->clear();
  for (int i = 0; i < files.size(); ++i) {
    const QString path = files[i];
    QAction* a = recentMenu_->addAction(QString("&%1 %2").arg(i + 1).arg(path));
    a->setStatusTip(tr("Open %1").arg(path));
    connect(a, &QAction::triggered, this, [this, path] { reactions_.openImage(path); });
  }
  recentMenu_->setEnabled(!files.isEmpty());
}

// "COM &1   /dev/ttyUSB0   FT232R USB UART", or the device marked as not present.
QString MainMenus::PortText(const PortEntry& e) {
  QString text = e.number < 10 ? QString("COM &%1").arg(e.number) : QString("COM 1&0");
  text += "   " + e.device;
  if (!e.present) return text + "   " + tr("(not present)");
  return e.description.isEmpty() ? text : text + "   " + e.description;
}

void MainMenus::RebuildPorts() {
  portMenu_->clear();
  mnuOptSelCom_.clear();
  for (const PortEntry& e : ports_()) {
    QAction* a = portMenu_->addAction(PortText(e));
    a->setStatusTip(tr("Use COM %1 (%2)").arg(e.number).arg(e.device));
    a->setCheckable(true);
    a->setChecked(e.number == checkedPort_);
    const int n = e.number;
    connect(a, &QAction::triggered, this, [this, n] { reactions_.port(n); });
    mnuOptSelCom_[n] = a;
  }
  portMenu_->addSeparator();
  mnuOptOtherPort_ = Item(portMenu_, tr("&Other port..."), tr("Choose any serial device, or type its path"), this,
                          [this] { reactions_.otherPort(); });
}

QAction* MainMenus::portAction(int i) const {
  const auto it = mnuOptSelCom_.find(i);
  return it == mnuOptSelCom_.end() ? nullptr : it->second;
}

void MainMenus::setPortChecked(int i, bool checked) {
  if (checked) checkedPort_ = i;
  if (checked && portAction(i) == nullptr) RebuildPorts();  // a port chosen from the options file
  if (QAction* a = portAction(i)) a->setChecked(checked);
}

}  // namespace qxt::app
