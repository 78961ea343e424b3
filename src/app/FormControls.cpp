#include "app/FormControls.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>

#include "app/WindowGeometry.h"
#include "common/Common.h"
#include "common/Translate.h"

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

FormControls::FormControls(QWidget* client, Hooks hooks) : QObject(client), client_(client), hooks_(std::move(hooks)) {
  Create();
  consoleView_ = QtListBox(lboConsole_);
  readoutView0_ = QtListBox(lbo01_[0]);
  readoutView1_ = QtListBox(lbo01_[1]);
  paramView_ = QtTextBox(txtDispPara_);
}

void FormControls::Create() {
  for (int i = 0; i < 2; ++i) {
    linSepa_[static_cast<size_t>(i)] = new QFrame(client_);
    linSepa_[static_cast<size_t>(i)]->setAutoFillBackground(true);
    linSepa_[static_cast<size_t>(i)]->setBackgroundRole(i == 0 ? QPalette::Dark : QPalette::Light);
  }
  lblComBusy_ = new QLabel(client_);
  lblComBusy_->setFont(CourierNew(9, true));
  lblComBusy_->setAccessibleName(tr("Port status"));
  for (int i = 0; i < 3; ++i) {
    auto* b = new QPushButton(client_);
    connect(b, &QPushButton::clicked, this, [this, i] { hooks_.clicked(i); });
    cmd00_[static_cast<size_t>(i)] = b;
  }
  for (int i = 0; i < 4; ++i) {
    auto* f = new QFrame(i == 2 ? fra01_[1] : client_);
    f->setFrameShape(QFrame::StyledPanel);
    f->hide();
    fra01_[static_cast<size_t>(i)] = f;
  }
  lboConsole_ = new QListWidget(fra01_[1]);
  lboConsole_->setAccessibleName(tr("Console"));
  for (int i = 0; i < 2; ++i) {
    auto* l = new QListWidget(fra01_[2]);
    l->setFocusPolicy(Qt::NoFocus);
    l->setAccessibleName(i == 0 ? tr("A/D readouts") : tr("D/A readouts"));
    lbo01_[static_cast<size_t>(i)] = l;
  }
  setTextSize(0);
  lblTitle_ = new QLabel(fra01_[0]);
  lblTitle_->setFont(CourierNew(9.75));
  lblTitle_->setAlignment(Qt::AlignCenter);
  lblProgress_ = new QLabel(fra01_[0]);
  lblProgress_->setFont(CourierNew(9, true));
  lblProgress_->setAccessibleName(tr("Progress"));
  txtDispPara_ = new QPlainTextEdit(fra01_[3]);
  txtDispPara_->setReadOnly(true);
  txtDispPara_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  txtDispPara_->setAccessibleName(tr("Parameters"));
  transfer_ = new TransferBar(fra01_[0]);
}

void FormControls::setTextSize(int points) {
  lboConsole_->setFont(CourierNew(kConsolePoints + points));
  for (QListWidget* l : lbo01_) l->setFont(CourierNew(kReadoutPoints + points));
}

void FormControls::FocusConsole() {
  if (lboConsole_->isVisibleTo(client_) && lboConsole_->isEnabled() && !txtDispPara_->isVisibleTo(client_)) {
    lboConsole_->setFocus(Qt::OtherFocusReason);
  }
}

void FormControls::PlaceFixed() {
  const int w = client_->width();
  for (int i = 0; i < 2; ++i) linSepa_[static_cast<size_t>(i)]->setGeometry(0, i, w, 1);
  lblComBusy_->setText("");
  lblComBusy_->move(ToPixels({120, 120, 0, 0}).topLeft());
}

QWidget* FormControls::control(window::Control c) const {
  switch (c) {
    case window::Control::kCmd0:
      return cmd00_[0];
    case window::Control::kCmd1:
      return cmd00_[1];
    case window::Control::kCmd2:
      return cmd00_[2];
    case window::Control::kFra0:
      return fra01_[0];
    case window::Control::kFra1:
      return fra01_[1];
    case window::Control::kFra2:
      return fra01_[2];
    case window::Control::kFra3:
      return fra01_[3];
    case window::Control::kLbo0:
      return lbo01_[0];
    case window::Control::kLbo1:
      return lbo01_[1];
    case window::Control::kLboConsole:
      return lboConsole_;
    case window::Control::kLblTitle:
      return lblTitle_;
    case window::Control::kLblProgress:
      return lblProgress_;
    case window::Control::kTxtDispPara:
      return txtDispPara_;
  }
  return nullptr;
}

void FormControls::setCaption(window::Control c, const std::string& text) {
  const QString t = QString::fromStdString(common::Shown(text));
  if (auto* b = qobject_cast<QPushButton*>(control(c))) {
    b->setText(t);
    b->setAccessibleName(t);
  } else if (auto* l = qobject_cast<QLabel*>(control(c))) {
    l->setText(t);
    l->adjustSize();
  }
}

void FormControls::setDefaultAndCancel(window::Control c, bool on) {
  auto* b = qobject_cast<QPushButton*>(control(c));
  if (b == nullptr || keys_ == nullptr) return;
  b->setDefault(on);
  if (on) {
    keys_->setDefaultButton(b);
  } else if (keys_->defaultButton() == b) {
    keys_->setDefaultButton(nullptr);
  }
}

void FormControls::beep() { QApplication::beep(); }

void FormControls::showTransfer(int percent, int secondsLeft, bool cancellable) {
  transfer_->Show(percent, secondsLeft, cancellable);
}

// The report of a restore stays on the screen until it is read, without stopping the ticks.
void FormControls::showReport(const std::string& text, bool success) {
  QString body = QString::fromStdString(common::Shown(text));
  body.replace("\r\n", "\n");
  auto* box = new QMessageBox(success ? QMessageBox::Information : QMessageBox::Warning, common::kAppTitle, body,
                              QMessageBox::Ok, client_->window());
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setAccessibleName(tr("Report"));
  box->open();
  hooks_.notice(text.substr(0, text.find('\r')));
}

double FormControls::twipsPerPixelX() const { return 1440.0 / client_->screen()->logicalDotsPerInchX(); }

double FormControls::twipsPerPixelY() const { return 1440.0 / client_->screen()->logicalDotsPerInchY(); }

double FormControls::screenWidth() const { return client_->screen()->geometry().width() * twipsPerPixelX(); }

double FormControls::screenHeight() const { return client_->screen()->geometry().height() * twipsPerPixelY(); }

QRect FormControls::ToPixels(const window::TwipsRect& r) const {
  return WindowGeometry::ToPixels(r, twipsPerPixelX(), twipsPerPixelY());
}

// The rectangle is the whole window, its frame included.
void FormControls::setWindowRect(const window::TwipsRect& r) {
  hooks_.placeWindow(ToPixels(r).translated(client_->screen()->geometry().topLeft()));
}

window::TwipsRect FormControls::bounds(window::Control c) const {
  const QWidget* w = control(c);
  const QSize size = qobject_cast<const QLabel*>(w) != nullptr ? w->sizeHint() : w->size();
  return {w->x() * twipsPerPixelX(), w->y() * twipsPerPixelY(), size.width() * twipsPerPixelX(),
          size.height() * twipsPerPixelY()};
}

void FormControls::place(window::Control c, const window::TwipsRect& r) {
  QRect px = ToPixels(r);
  if (r.height >= 1 && px.height() < 1) px.setHeight(1);
  control(c)->setGeometry(px);
  if (c == window::Control::kLblProgress) {
    // The transfer bar sits centred below the row of progress characters.
    const int width = std::min(fra01_[0]->width() - 16, std::max(px.width(), 360));
    transfer_->setGeometry((fra01_[0]->width() - width) / 2, px.bottom() + 12, width, transfer_->sizeHint().height());
  }
}

void FormControls::appendToTabOrder(window::Control c) {
  QWidget* w = control(c);
  w->setFocusPolicy(Qt::StrongFocus);
  std::erase(tabOrder_, w);
  if (!tabOrder_.empty()) QWidget::setTabOrder(tabOrder_.back(), w);
  tabOrder_.push_back(w);
}

void FormControls::setBorderless(window::Control c) {
  if (auto* f = qobject_cast<QFrame*>(control(c))) f->setFrameShape(QFrame::NoFrame);
}

}  // namespace qxt::app
