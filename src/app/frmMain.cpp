#include "app/frmMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QIcon>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QSerialPortInfo>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>

#include "common/Common.h"
#include "common/Log.h"
#include "common/Translate.h"

// The icon lives in this static library's resources, which the linker keeps only when asked.
static void InitResources() { Q_INIT_RESOURCE(resources); }

namespace qxt::app {

frmMain::frmMain(link::SerialPort& port, const common::TickSource& ticks, const std::string& recordPath) {
  QFont font("Courier New");
  font.setPointSizeF(9);
  font.setStyleHint(QFont::TypeWriter);
  setFont(font);
  InitResources();
  setWindowIcon(QIcon(":/qxt7130-adj.svg"));
  auto* client = new QWidget(this);
  setCentralWidget(client);
  statusBar()->setAccessibleName(tr("Notices"));
  controls_ = new FormControls(client, {[this](const QRect& outer) { PlaceWindow(outer); },
                                        [this](const std::string& text) { showNotice(text); },
                                        [this](int i) {
                                          program_->main().ClickCmd00(static_cast<int16_t>(i));
                                          controls_->FocusConsole();  // the keys belong to the console again
                                        }});
  keys_ = new KeyRouter([this]() -> window::MainWindowLogic& { return program_->main(); },
                        {this, controls_->console(), controls_->buttons(), nullptr}, this);
  keys_->onCaption = [this](const std::string& caption) { setWindowCaption(caption); };
  controls_->setKeys(keys_);
  program_ = std::make_unique<program::RigProgram>(port, ticks, *controls_, *this, recordPath);
  CreateMenus();
  keys_->setUndo(menus_->undoAction());
  files_ = new FileActions(*program_, this);
  help_ = new HelpActions(this);
  files_->recentChanged = [this](const QStringList& files) { menus_->setRecentImages(files); };
  menus_->setRecentImages(files_->RecentImages());
  setAcceptDrops(true);
  plot_ = new PlotPanel(program_->plot(), this);
  plot_->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
  addDockWidget(Qt::RightDockWidgetArea, plot_);
  plot_->hide();
  files_->notice = [this](const std::string& text) { showNotice(text); };
  chooseOtherPort = [this] { return OtherPortDialog::Choose(this); };
  askStopRestore = [this](int32_t written) { return AskStopRestore(written); };
  runUntil = [](const std::function<bool()>& done) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
      if (done()) loop.quit();
    });
    poll.start(10);
    if (!done()) loop.exec();
  };
  editBench = [this](const instrument::BenchOptions& now) -> std::optional<instrument::BenchOptions> {
    BenchDialog dialog(now, this);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.options();
  };
  controls_->transfer()->onCancel([this] { program_->op().work().CancelRestore(); });
  qApp->installEventFilter(keys_);
  Form_Load();
}

frmMain::~frmMain() {
  qApp->removeEventFilter(keys_);
  program_.reset();
}

void frmMain::CreateMenus() {
  MainMenus::Reactions r;
  r.openImage = [this](const QString& path) { files_->OpenImage(path); };
  r.restoreImage = [this] { files_->RestoreImage(); };
  r.manual = [this] { help_->ShowManual(); };
  r.shortcuts = [this] { help_->ShowShortcuts(); };
  r.about = [this] { help_->ShowAbout(); };
  r.aboutQt = [this] { help_->ShowAboutQt(); };
  r.history = [this] { files_->ShowHistory(); };
  r.serviceRecord = [this] { files_->ShowServiceRecord(); };
  r.saveReport = [this] { files_->SaveReport(); };
  r.technician = [this] { files_->AskTechnician(); };
  r.exit = [this] { close(); };
  r.undo = [this] { program_->op().work().Undo(); };
  r.revert = [this] { program_->op().work().RevertToRead(); };
  r.plot = [this](bool on) { ShowPlot(on); };
  r.textSize = [this](int step) {
    program_->main().setTextSize(program_->main().textSize() + step);
    ApplyTextSize();
  };
  r.port = [this](int port) { program_->main().setComPortNo(port); };
  r.otherPort = [this] { OtherPort(); };
  r.benchGenerator = [this] { EditBench(); };
  r.alignAll = [this] { program_->main().AlignAll(); };
  r.release = [this](int seconds) { program_->main().setComAutoRelease(seconds); };
  menus_ = new MainMenus(
      menuBar(), std::move(r), [this] { return PortEntries(); }, this);
}

void frmMain::Form_Load() {
  setWindowTitle(common::kAppTitle);
  QLabel* title = controls_->title();
  title->setText(QString("%1\n%2\n%3").arg(common::kAppTitle, tr("Adjust Utility for QZ-R700"), "Tavo Inc."));
  title->setAccessibleName(title->text());
  program_->op().RigOpFunc_FormResource();
  program_->RigOpFunc_FormLayout();
  // Never so narrow that the centred buttons cover the port status line.
  const int buttons = controls_->button(2)->geometry().right() - controls_->button(0)->x();
  const QLabel* line = controls_->statusLabel();
  const int status = line->x() + line->fontMetrics().horizontalAdvance("COM 10: CLOSE") + 12;
  setMinimumWidth(buttons + 2 * status);
}

void frmMain::Form_Resize() {
  controls_->PlaceFixed();
  program_->RigOpFunc_FormLayout();
}

void frmMain::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (program_) Form_Resize();
}

std::vector<MainMenus::PortEntry> frmMain::PortEntries() const {
  std::vector<MainMenus::PortEntry> entries;
  const link::frmCom& com = program_->com();
  for (int16_t n = 1; n <= link::frmCom::imdmaxComPortNum; ++n) {
    if (n > window::MainWindowLogic::kMenuPorts && !com.PortMapped(n) && n != program_->main().comPortNo()) continue;
    const QString device = QString::fromStdString(com.DevicePath(n));
    const QSerialPortInfo info(device);
    entries.push_back({n, device, info.description(), QFileInfo::exists(device)});
  }
  return entries;
}

// "Other port...": any serial device, mapped to a COM number in the options file.
void frmMain::OtherPort() {
  const QString path = chooseOtherPort();
  if (path.isEmpty()) return;
  const int16_t n = program_->UsePortDevice(path.toStdString());
  menus_->RebuildPorts();
  showNotice(tr("COM %1 is now %2.").arg(n).arg(path).toStdString());
}

// The generator in use from now on; it is not changed under a running procedure.
void frmMain::EditBench() {
  const auto chosen = editBench(program_->op().work().generator().options());
  if (!chosen) return;
  if (program_->op().work().actions().running() || program_->op().work().alignAll().running()) {
    showNotice(tr("The bench generator cannot be changed while a procedure runs.").toStdString());
    return;
  }
  if (!program_->SaveBench(*chosen))
    showNotice(tr("The bench options could not be saved to the options file.").toStdString());
  showNotice((chosen->configured() ? tr("Bench generator: %1.").arg(QString::fromStdString(chosen->generator))
                                   : tr("No bench generator."))
                 .toStdString());
}

// The console and the readouts in the size the technician chose.
void frmMain::ApplyTextSize() { controls_->setTextSize(program_->main().textSize()); }

// The options are read by now: the plot panel comes back as it was left.
void frmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shownOnce_) return;
  shownOnce_ = true;
  if (program_->main().plotShown()) ShowPlot(true);
  ApplyTextSize();
  // The window manager tells the frame's size only once the window is on the screen.
  QTimer::singleShot(200, this, [this] {
    if (windowHandle() != nullptr && windowHandle()->frameMargins() != fittedFrame_ && outer_.isValid()) FitOnScreen();
  });
}

// The window grows by the panel's width (and shrinks back), so the console keeps its room.
void frmMain::ShowPlot(bool on) {
  program_->main().setPlotShown(on);
  menus_->plotAction()->setChecked(on);
  if (plot_->isVisibleTo(this) == on) return;
  const int extra = plot_->isFloating() ? 0 : plot_->sizeHint().width();
  plot_->setVisible(on);
  outer_ = frameGeometry();
  outer_.setWidth(outer_.width() + (on ? extra : -extra));
  FitOnScreen();
}

bool frmMain::AskStopRestore(int32_t written) {
  QMessageBox box(QMessageBox::Warning, common::kAppTitle,
                  tr("The radio's memory is being written (%1 of %2 bytes so far). Closing now leaves it partly "
                     "written, and the radio will not work as it should until an image is restored whole.")
                      .arg(written)
                      .arg(memory::clsCmcEeprom::kDefaultSize),
                  QMessageBox::NoButton, this);
  QPushButton* stop = box.addButton(tr("Stop after the current block"), QMessageBox::DestructiveRole);
  QPushButton* keep = box.addButton(tr("Keep writing"), QMessageBox::RejectRole);
  box.setDefaultButton(keep);
  box.setEscapeButton(keep);
  box.exec();
  return box.clickedButton() == stop;
}

// Any close request ends the work in order before the port closes: a procedure is cancelled
// and its values put back, a restore stops after the block under way (the technician is asked
// first, unless the system ends the program). Only "Keep writing" keeps the window open.
void frmMain::closeEvent(QCloseEvent* event) {
  const adjust::RestoreWrite& restore = program_->op().work().restore();
  if (!closed_ && !systemClose_ && restore.phase() == adjust::RestoreWrite::Phase::kWriting &&
      !askStopRestore(restore.bytesWritten())) {
    event->ignore();
    return;
  }
  if (!closed_) {
    closed_ = true;
    program_->BeginEnd();
    runUntil([this] { return program_->EndSettled(); });
    program_->CloseDown();
    // The last chance to say so: the status bar goes with the window. Not when the system ends
    // the program, which must not wait for a click.
    if (!program_->optionsProblem().empty() && !systemClose_) common::MsgBoxError(program_->optionsProblem());
  }
  event->accept();
}

// An image file dropped on the window opens as File > "Open image..." opens it.
static QString DroppedFile(const QMimeData* data) {
  const QList<QUrl> urls = data != nullptr ? data->urls() : QList<QUrl>();
  return urls.size() == 1 && urls.front().isLocalFile() ? urls.front().toLocalFile() : QString();
}

void frmMain::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent* event) {
  const QString path = DroppedFile(event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  files_->OpenImage(path);
}

// ---- MainView ----

// The whole window where the layout wants it; the plot panel, when docked, widens it.
void frmMain::PlaceWindow(const QRect& outer) {
  const bool docked = plot_ != nullptr && plot_->isVisibleTo(this) && !plot_->isFloating();
  outer_ = outer;
  outer_.setWidth(outer_.width() + (docked ? plot_->width() : 0));
  FitOnScreen();
}

void frmMain::FitOnScreen() {
  const QMargins frame = windowHandle() != nullptr ? windowHandle()->frameMargins() : QMargins();
  fittedFrame_ = frame;
  const QRect fit = WindowGeometry::FitOuter(outer_, frame, screen()->availableGeometry());
  resize(fit.size());
  move(fit.topLeft());
}

void frmMain::showNotice(const std::string& text) {
  lastNotice_ = QString::fromStdString(common::Shown(text));
  statusBar()->showMessage(lastNotice_);
  common::LogLine(text);
}

// ---- MainWindowView ----

void frmMain::setPortChecked(int index, bool checked) { menus_->setPortChecked(index, checked); }

void frmMain::setReleaseChecked(int index, bool checked) {
  if (index >= 0 && index <= 5) menus_->releaseAction(index)->setChecked(checked);
}

// Open in green, closed in the ordinary text colour: both readable, neither looks disabled.
void frmMain::setStatusLine(const std::string& text, bool portOpen) {
  QLabel* line = controls_->statusLabel();
  line->setText(QString::fromStdString(text));
  line->adjustSize();
  QPalette p = line->palette();
  p.setColor(QPalette::WindowText,
             portOpen ? QColor(0, 120, 0) : palette().color(QPalette::Active, QPalette::WindowText));
  line->setPalette(p);
}

}  // namespace qxt::app
