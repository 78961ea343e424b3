#include "app/MainMenus.h"

#include <QMenu>

namespace qxt::app {

MainMenus::MainMenus(QMenuBar* bar, Reactions reactions, std::function<std::vector<PortEntry>()> ports, QObject* parent)
    : QObject(parent), reactions_(std::move(reactions)), ports_(std::move(ports)) {
  CreateFile(bar);
  CreateEdit(bar);
  CreateView(bar);
  CreateOption(bar);
}

void MainMenus::CreateFile(QMenuBar* bar) {
  QMenu* file = bar->addMenu("&File");
  mnuFileRestore_ = file->addAction("Restore image...", this, [this] { reactions_.restoreImage(); });
  file->addSeparator();
  mnuFileHistory_ = file->addAction("History...", this, [this] { reactions_.history(); });
  mnuFileReport_ = file->addAction("Save report...", this, [this] { reactions_.saveReport(); });
  mnuFileTechnician_ = file->addAction("Technician...", this, [this] { reactions_.technician(); });
  file->addSeparator();
  mnuFileExit_ = file->addAction("E&xit", this, [this] { reactions_.exit(); });
}

void MainMenus::CreateEdit(QMenuBar* bar) {
  QMenu* edit = bar->addMenu("&Edit");
  mnuEditUndo_ = edit->addAction("Undo", this, [this] { reactions_.undo(); });
  mnuEditUndo_->setShortcut(QKeySequence::Undo);
  mnuEditUndo_->setShortcutContext(Qt::WindowShortcut);
  mnuEditRevert_ = edit->addAction("Revert to values as read", this, [this] { reactions_.revert(); });
}

void MainMenus::CreateView(QMenuBar* bar) {
  QMenu* view = bar->addMenu("&View");
  mnuViewPlot_ = view->addAction("&Plot");
  mnuViewPlot_->setCheckable(true);
  connect(mnuViewPlot_, &QAction::triggered, this, [this](bool on) { reactions_.plot(on); });
  view->addSeparator();
  mnuViewLarger_ = view->addAction("&Larger text", this, [this] { reactions_.textSize(+1); });
  mnuViewLarger_->setShortcuts({QKeySequence::ZoomIn, QKeySequence("Ctrl+=")});
  mnuViewSmaller_ = view->addAction("&Smaller text", this, [this] { reactions_.textSize(-1); });
  mnuViewSmaller_->setShortcuts(QKeySequence::ZoomOut);
}

void MainMenus::CreateOption(QMenuBar* bar) {
  QMenu* option = bar->addMenu("&Option");
  portMenu_ = option->addMenu("&Port");
  connect(portMenu_, &QMenu::aboutToShow, this, &MainMenus::RebuildPorts);
  RebuildPorts();
  QMenu* release = option->addMenu("&Auto port release");
  for (int i = 0; i <= 5; ++i) {
    QAction* a = release->addAction(i == 0 ? QString("&OFF") : QString("&%1 sec").arg(i));
    a->setCheckable(true);
    connect(a, &QAction::triggered, this, [this, i] { reactions_.release(i); });
    mnuOptionSelAutoRelease_[static_cast<size_t>(i)] = a;
  }
}

// "COM &1   /dev/ttyUSB0   FT232R USB UART", or the device marked as not present.
QString MainMenus::PortText(const PortEntry& e) {
  QString text = e.number < 10 ? QString("COM &%1").arg(e.number) : QString("COM %1").arg(e.number);
  text += "   " + e.device;
  if (!e.present) return text + "   (not present)";
  return e.description.isEmpty() ? text : text + "   " + e.description;
}

void MainMenus::RebuildPorts() {
  portMenu_->clear();
  mnuOptSelCom_.clear();
  for (const PortEntry& e : ports_()) {
    QAction* a = portMenu_->addAction(PortText(e));
    a->setCheckable(true);
    a->setChecked(e.number == checkedPort_);
    const int n = e.number;
    connect(a, &QAction::triggered, this, [this, n] { reactions_.port(n); });
    mnuOptSelCom_[n] = a;
  }
  portMenu_->addSeparator();
  mnuOptOtherPort_ = portMenu_->addAction("&Other port...", this, [this] { reactions_.otherPort(); });
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
