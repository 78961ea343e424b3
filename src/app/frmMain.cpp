#include "app/frmMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>
#include <cmath>
#include <cstdio>

#include "common/Common.h"
#include "model/ImageBackup.h"
#include "model/RigK70RRestore.h"

namespace qxt::app {

namespace {

QFont CourierNew(double points, bool bold = false) {
  QFont f("Courier New");
  f.setPointSizeF(points);
  f.setBold(bold);
  f.setStyleHint(QFont::TypeWriter);
  return f;
}

}  // namespace

frmMain::frmMain(link::SerialPort& port, const common::TickSource& ticks, const std::string& recordPath) {
  setFont(CourierNew(9));
  CreateControls();
  CreateMenus();
  consoleView_ = QtListBox(lboConsole_);
  readoutView0_ = QtListBox(lbo01_[0]);
  readoutView1_ = QtListBox(lbo01_[1]);
  paramView_ = QtTextBox(txtDispPara_);
  program_ = std::make_unique<model::RigProgram>(port, ticks, *this, *this, recordPath);
  records_ = new RecordActions(*program_, this);
  plot_ = new PlotPanel(program_->plot(), this);
  plot_->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
  addDockWidget(Qt::RightDockWidgetArea, plot_);
  plot_->hide();
  records_->notice = [this](const std::string& text) { showNotice(text); };
  transfer_->onCancel([this] { program_->op().CancelRestore(); });
  chooseImageFile = [this] {
    return QFileDialog::getOpenFileName(this, "Restore image", QString::fromStdString(model::ImageBackup::Directory()),
                                        "Radio images (*.bin);;All files (*)");
  };
  confirmRestore = [this](const RestoreDialog::Comparison& c) {
    RestoreDialog dialog(c, this);
    return dialog.exec() == QDialog::Accepted;
  };
  qApp->installEventFilter(this);
  Form_Load();
}

frmMain::~frmMain() {
  qApp->removeEventFilter(this);
  program_.reset();
}

void frmMain::CreateControls() {
  client_ = new QWidget(this);
  setCentralWidget(client_);
  for (int i = 0; i < 2; ++i) {
    linSepa_[static_cast<size_t>(i)] = new QFrame(client_);
    linSepa_[static_cast<size_t>(i)]->setAutoFillBackground(true);
    linSepa_[static_cast<size_t>(i)]->setBackgroundRole(i == 0 ? QPalette::Dark : QPalette::Light);
  }
  lblComBusy_ = new QLabel(client_);
  lblComBusy_->setFont(CourierNew(9, true));
  lblComBusy_->setAccessibleName("Port status");
  for (int i = 0; i < 3; ++i) {
    auto* b = new QPushButton(client_);
    connect(b, &QPushButton::clicked, this, [this, i] { program_->main().ClickCmd00(static_cast<int16_t>(i)); });
    cmd00_[static_cast<size_t>(i)] = b;
  }
  for (int i = 0; i < 4; ++i) {
    auto* f = new QFrame(i == 2 ? fra01_[1] : client_);
    f->setFrameShape(QFrame::StyledPanel);
    f->hide();
    fra01_[static_cast<size_t>(i)] = f;
  }
  lboConsole_ = new QListWidget(fra01_[1]);
  lboConsole_->setAccessibleName("Console");
  for (int i = 0; i < 2; ++i) {
    auto* l = new QListWidget(fra01_[2]);
    l->setFont(CourierNew(8.25));
    l->setFocusPolicy(Qt::NoFocus);
    l->setAccessibleName(i == 0 ? "A/D readouts" : "D/A readouts");
    lbo01_[static_cast<size_t>(i)] = l;
  }
  lblTitle_ = new QLabel(fra01_[0]);
  lblTitle_->setFont(CourierNew(9.75));
  lblTitle_->setAlignment(Qt::AlignCenter);
  lblProgress_ = new QLabel(fra01_[0]);
  lblProgress_->setFont(CourierNew(9, true));
  lblProgress_->setAccessibleName("Progress");
  txtDispPara_ = new QPlainTextEdit(fra01_[3]);
  txtDispPara_->setReadOnly(true);
  txtDispPara_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  txtDispPara_->setAccessibleName("Parameters");
  transfer_ = new TransferBar(fra01_[0]);
  statusBar()->setAccessibleName("Notices");
}

void frmMain::CreateMenus() {
  MainMenus::Reactions r;
  r.restoreImage = [this] { RestoreImage(); };
  r.history = [this] { records_->ShowHistory(); };
  r.saveReport = [this] { records_->SaveReport(); };
  r.technician = [this] { records_->AskTechnician(); };
  r.exit = [this] { close(); };
  r.undo = [this] { program_->op().Undo(); };
  r.revert = [this] { program_->op().RevertToRead(); };
  r.plot = [this](bool on) { ShowPlot(on); };
  r.port = [this](int port) { program_->main().ComPortNo(port); };
  r.release = [this](int seconds) { program_->main().ComAutoRelease(seconds); };
  menus_ = new MainMenus(menuBar(), std::move(r), this);
}

// File > "Restore image...": a file from the backup folder (by default), compared with the
// radio's memory, written only when the technician says so.
void frmMain::RestoreImage() {
  model::clsIndOp_RigK70R& op = program_->op();
  if (!op.RigK70RProp_EditEnabled() || op.restoring()) {
    showNotice("Restore image: connect to the radio first.");
    return;
  }
  const QString path = chooseImageFile();
  if (path.isEmpty()) return;
  QFile file(path);
  Bytes bytes;
  if (file.open(QIODevice::ReadOnly)) {
    const QByteArray data = file.read(memory::clsCmcEeprom::kDefaultSize + 1);
    bytes.assign(data.begin(), data.end());
  }
  if (auto refusal = model::RigK70RRestore::CheckFile(bytes)) {
    common::MsgBoxError(path.toStdString() + ": " + *refusal);
    return;
  }
  RestoreDialog::Comparison c{path, memory::ParameterListing::RowsOf(program_->radio().eepImage().bytes()),
                              memory::ParameterListing::RowsOf(bytes), 0, records_->Provenance(bytes)};
  const Bytes& radio = program_->radio().eepImage().bytes();
  for (size_t a = 0; a < bytes.size(); ++a) c.bytesDiffering += radio[a] != bytes[a] ? 1 : 0;
  if (!confirmRestore(c)) return;
  if (auto refusal = op.StartRestore(bytes, path.toStdString())) showNotice(*refusal);
}

void frmMain::Form_Load() {
  setWindowTitle(common::kAppTitle);
  lblTitle_->setText(QString("%1\n%2\n%3").arg(common::kAppTitle, "Adjust Utility for QZ-R700", "Tavo Inc."));
  lblTitle_->setAccessibleName(lblTitle_->text());
  program_->op().RigOpFunc_FormResource();
  program_->op().RigOpFunc_FormLayout();
}

void frmMain::Form_Resize() {
  const int w = client_->width();
  for (int i = 0; i < 2; ++i) linSepa_[static_cast<size_t>(i)]->setGeometry(0, i, w, 1);
  lblComBusy_->setText("");
  lblComBusy_->move(ToPixels({120, 120, 0, 0}).topLeft());
  program_->op().RigOpFunc_FormLayout();
}

void frmMain::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (program_) Form_Resize();
}

// The options are read by now: the plot panel comes back as it was left.
void frmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shownOnce_) return;
  shownOnce_ = true;
  if (program_->main().PlotShown()) ShowPlot(true);
}

// The window grows by the panel's width (and shrinks back), so the console keeps its room.
void frmMain::ShowPlot(bool on) {
  program_->main().PlotShown(on);
  menus_->plotAction()->setChecked(on);
  if (plot_->isVisibleTo(this) == on) return;
  const int extra = plot_->isFloating() ? 0 : plot_->sizeHint().width();
  plot_->setVisible(on);
  resize(width() + (on ? extra : -extra), height());
}

// Any close request: the port is closed and the options written, never cancelled.
void frmMain::closeEvent(QCloseEvent* event) {
  if (!closed_) {
    closed_ = true;
    program_->CloseDown();
  }
  event->accept();
}

// ---- keyboard ----

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::KeyPress && type != QEvent::FocusIn) return false;
  if (type == QEvent::FocusIn) {
    if (watched == lboConsole_ && lboConsole_->currentRow() < 0 && lboConsole_->count() > 0) {
      lboConsole_->setCurrentRow(0);
    }
    return false;
  }
  auto* key = static_cast<QKeyEvent*>(event);
  auto* widget = qobject_cast<QWidget*>(watched);
  const bool mine = widget != nullptr && widget->window() == this;
  // The window sees a key before its controls, whichever control has the focus (only once).
  if (mine && watched == QApplication::focusWidget()) {
    if (key->key() == Qt::Key_F5) program_->main().FormKeyDown(model::MainWindowLogic::kKeyF5);
    // A shortcut the window system did not take arrives here as a plain key.
    if (key->matches(QKeySequence::Undo)) {
      menus_->undoAction()->trigger();
      return true;
    }
    if (key->key() == Qt::Key_Escape && cancelButton_ != nullptr && cancelButton_->isEnabled()) {
      cancelButton_->click();
      return true;
    }
  }
  if (watched == lboConsole_) return ConsoleKey(key);
  for (QPushButton* b : cmd00_) {
    if (watched == b && !key->text().isEmpty()) {
      if (auto caption = program_->main().ButtonKeyPress(key->text().at(0).unicode())) setWindowCaption(*caption);
    }
  }
  return false;
}

// Arrows step the selected item (by 5 with Shift), Enter asks for its action; other keys go on
// to the list, which moves its selection as usual.
bool frmMain::ConsoleKey(QKeyEvent* key) {
  int code = 0;
  switch (key->key()) {
    case Qt::Key_Left:
      code = model::MainWindowLogic::kKeyLeft;
      break;
    case Qt::Key_Right:
      code = model::MainWindowLogic::kKeyRight;
      break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      code = model::MainWindowLogic::kKeyEnter;
      break;
    default:
      return false;
  }
  const int shift = (key->modifiers() & Qt::ShiftModifier) ? model::MainWindowLogic::kShiftMask : 0;
  return !program_->main().ConsoleKeyDown(code, shift, lboConsole_->currentRow());
}

// ---- MainView ----

QWidget* frmMain::control(model::Control c) const {
  switch (c) {
    case model::Control::kCmd0:
      return cmd00_[0];
    case model::Control::kCmd1:
      return cmd00_[1];
    case model::Control::kCmd2:
      return cmd00_[2];
    case model::Control::kFra0:
      return fra01_[0];
    case model::Control::kFra1:
      return fra01_[1];
    case model::Control::kFra2:
      return fra01_[2];
    case model::Control::kFra3:
      return fra01_[3];
    case model::Control::kLbo0:
      return lbo01_[0];
    case model::Control::kLbo1:
      return lbo01_[1];
    case model::Control::kLboConsole:
      return lboConsole_;
    case model::Control::kLblTitle:
      return lblTitle_;
    case model::Control::kLblProgress:
      return lblProgress_;
    case model::Control::kTxtDispPara:
      return txtDispPara_;
  }
  return nullptr;
}

void frmMain::setCaption(model::Control c, const std::string& text) {
  const QString t = QString::fromStdString(text);
  if (auto* b = qobject_cast<QPushButton*>(control(c))) {
    b->setText(t);
    b->setAccessibleName(t);
  } else if (auto* l = qobject_cast<QLabel*>(control(c))) {
    l->setText(t);
    l->adjustSize();
  }
}

void frmMain::setEnabled(model::Control c, bool on) { control(c)->setEnabled(on); }

void frmMain::setVisible(model::Control c, bool on) { control(c)->setVisible(on); }

bool frmMain::isVisible(model::Control c) const { return !control(c)->isHidden(); }

void frmMain::setDefaultAndCancel(model::Control c, bool on) {
  auto* b = qobject_cast<QPushButton*>(control(c));
  if (b == nullptr) return;
  b->setDefault(on);
  b->setAutoDefault(on);
  if (on) {
    cancelButton_ = b;
  } else if (cancelButton_ == b) {
    cancelButton_ = nullptr;
  }
}

void frmMain::setFocus(model::Control c) { control(c)->setFocus(Qt::OtherFocusReason); }

void frmMain::beep() { QApplication::beep(); }

void frmMain::showTransfer(int percent, int secondsLeft, bool cancellable) {
  transfer_->Show(percent, secondsLeft, cancellable);
}

void frmMain::hideTransfer() { transfer_->hide(); }

// The report of a restore stays on the screen until it is read, without stopping the ticks.
void frmMain::showReport(const std::string& text, bool success) {
  QString body = QString::fromStdString(text);
  body.replace("\r\n", "\n");
  auto* box = new QMessageBox(success ? QMessageBox::Information : QMessageBox::Warning, common::kAppTitle, body,
                              QMessageBox::Ok, this);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setAccessibleName("Report");
  box->open();
  showNotice(text.substr(0, text.find('\r')));
}

void frmMain::showNotice(const std::string& text) {
  lastNotice_ = QString::fromStdString(text);
  statusBar()->showMessage(lastNotice_);
  std::fprintf(stderr, "qxt7130-adj: %s\n", text.c_str());
}

double frmMain::twipsPerPixelX() const { return 1440.0 / screen()->logicalDotsPerInchX(); }

double frmMain::twipsPerPixelY() const { return 1440.0 / screen()->logicalDotsPerInchY(); }

double frmMain::screenWidth() const { return screen()->geometry().width() * twipsPerPixelX(); }

double frmMain::screenHeight() const { return screen()->geometry().height() * twipsPerPixelY(); }

QRect frmMain::ToPixels(const model::TwipsRect& r) const {
  const double x = twipsPerPixelX(), y = twipsPerPixelY();
  return QRect(static_cast<int>(std::lround(r.left / x)), static_cast<int>(std::lround(r.top / y)),
               std::max(0, static_cast<int>(std::lround(r.width / x))),
               std::max(0, static_cast<int>(std::lround(r.height / y))));
}

void frmMain::setWindowRect(const model::TwipsRect& r) {
  const QRect px = ToPixels(r);
  const bool docked = plot_ != nullptr && plot_->isVisibleTo(this) && !plot_->isFloating();
  resize(px.size() + QSize(docked ? plot_->width() : 0, 0));
  move(px.topLeft() + screen()->geometry().topLeft());
}

double frmMain::clientWidth() const { return client_->width() * twipsPerPixelX(); }

double frmMain::clientHeight() const { return client_->height() * twipsPerPixelY(); }

model::TwipsRect frmMain::bounds(model::Control c) const {
  const QWidget* w = control(c);
  const QSize size = qobject_cast<const QLabel*>(w) != nullptr ? w->sizeHint() : w->size();
  return {w->x() * twipsPerPixelX(), w->y() * twipsPerPixelY(), size.width() * twipsPerPixelX(),
          size.height() * twipsPerPixelY()};
}

void frmMain::place(model::Control c, const model::TwipsRect& r) {
  QRect px = ToPixels(r);
  if (r.height >= 1 && px.height() < 1) px.setHeight(1);
  control(c)->setGeometry(px);
  if (c == model::Control::kLblProgress) {
    // The transfer bar sits centred below the row of progress characters.
    const int width = std::min(fra01_[0]->width() - 16, std::max(px.width(), 360));
    transfer_->setGeometry((fra01_[0]->width() - width) / 2, px.bottom() + 12, width, transfer_->sizeHint().height());
  }
}

void frmMain::appendToTabOrder(model::Control c) {
  QWidget* w = control(c);
  w->setFocusPolicy(Qt::StrongFocus);
  std::erase(tabOrder_, w);
  if (!tabOrder_.empty()) QWidget::setTabOrder(tabOrder_.back(), w);
  tabOrder_.push_back(w);
}

void frmMain::setBorderless(model::Control c) {
  if (auto* f = qobject_cast<QFrame*>(control(c))) f->setFrameShape(QFrame::NoFrame);
}

// ---- MainWindowView ----

void frmMain::setPortChecked(int index, bool checked) {
  if (index >= 1 && index <= 4) menus_->portAction(index)->setChecked(checked);
}

void frmMain::setReleaseChecked(int index, bool checked) {
  if (index >= 0 && index <= 5) menus_->releaseAction(index)->setChecked(checked);
}

void frmMain::setStatusLine(const std::string& text, bool portOpen) {
  lblComBusy_->setText(QString::fromStdString(text));
  lblComBusy_->adjustSize();
  QPalette p = lblComBusy_->palette();
  p.setColor(QPalette::WindowText, portOpen ? palette().color(QPalette::Active, QPalette::ButtonText)
                                            : palette().color(QPalette::Disabled, QPalette::WindowText));
  lblComBusy_->setPalette(p);
}

}  // namespace qxt::app
