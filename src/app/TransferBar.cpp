#include "app/TransferBar.h"

#include <QHBoxLayout>

namespace qxt::app {

TransferBar::TransferBar(QWidget* parent)
    : QWidget(parent), bar_(new QProgressBar(this)), timeLeft_(new QLabel(this)), cancelButton_(new QPushButton(this)) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(bar_, 1);
  row->addWidget(timeLeft_);
  row->addWidget(cancelButton_);
  bar_->setRange(0, 100);
  bar_->setFormat("%p%");
  bar_->setAccessibleName(tr("Transfer"));
  timeLeft_->setAccessibleName(tr("Time left"));
  cancelButton_->setText(tr("Cancel"));
  cancelButton_->setAccessibleName(tr("Cancel the restore"));
  connect(cancelButton_, &QPushButton::clicked, this, [this] {
    cancelButton_->setEnabled(false);  // it takes effect after the block on its way
    if (cancel_) cancel_();
  });
  hide();
}

void TransferBar::Show(int percent, int secondsLeft, bool cancellable) {
  bar_->setValue(percent);
  timeLeft_->setText(TimeLeftText(secondsLeft));
  if (cancelButton_->isHidden() == cancellable) cancelButton_->setEnabled(true);
  cancelButton_->setVisible(cancellable);
  show();
}

QString TransferBar::TimeLeftText(int seconds) {
  if (seconds < 0) return {};
  if (seconds < 60) return tr("about %1 s left").arg(seconds);
  return tr("about %1 min %2 s left").arg(seconds / 60).arg(seconds % 60);
}

}  // namespace qxt::app
