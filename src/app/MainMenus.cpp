#include "app/MainMenus.h"

#include <QMenu>

namespace qxt::app {

MainMenus::MainMenus(QMenuBar* bar, Reactions reactions, QObject* parent)
    : QObject(parent), reactions_(std::move(reactions)) {
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
}

void MainMenus::CreateOption(QMenuBar* bar) {
  QMenu* option = bar->addMenu("&Option");
  QMenu* port = option->addMenu("&Port");
  for (int i = 1; i <= 4; ++i) {
    QAction* a = port->addAction(QString("COM &%1").arg(i));
    a->setCheckable(true);
    connect(a, &QAction::triggered, this, [this, i] { reactions_.port(i); });
    mnuOptSelCom_[static_cast<size_t>(i)] = a;
  }
  QMenu* release = option->addMenu("&Auto port release");
  for (int i = 0; i <= 5; ++i) {
    QAction* a = release->addAction(i == 0 ? QString("&OFF") : QString("&%1 sec").arg(i));
    a->setCheckable(true);
    connect(a, &QAction::triggered, this, [this, i] { reactions_.release(i); });
    mnuOptionSelAutoRelease_[static_cast<size_t>(i)] = a;
  }
}

}  // namespace qxt::app
