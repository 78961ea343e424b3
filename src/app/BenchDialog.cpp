#include "app/BenchDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

#include "instrument/LxiTransport.h"
#include "instrument/VisaResource.h"

namespace qxt::app {

BenchDialog::BenchDialog(const instrument::BenchOptions& options, QWidget* parent) : QDialog(parent), base_(options) {
  setWindowTitle(tr("Bench generator"));
  setAccessibleName(tr("Bench generator"));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout();
  generator_ = new QLineEdit(QString::fromStdString(options.generator), this);
  generator_->setPlaceholderText(tr("TCPIP0::host::5025::SOCKET or TCPIP0::host::inst0::INSTR; empty: none"));
  generator_->setMinimumWidth(420);
  form->addRow(tr("&Generator:"), generator_);
  form->addRow(tr("&BPF sweep level (dBm at the antenna):"), bpf_ = Level(options.bpfLevel, -200));
  form->addRow(tr("RSSI S&3 level (dBm):"), s3_ = Level(options.rssiS3Level, -200));
  form->addRow(tr("RSSI S&1 level (dBm):"), s1_ = Level(options.rssiS1Level, -200));
  form->addRow(tr("&Cable loss (dB):"), loss_ = Level(options.cableLoss, 0));
  loss_->setMaximum(60);
  form->addRow(tr("&Maximum level sent (dBm):"), max_ = Level(options.maxLevel, -200));
  settle_ = new QSpinBox(this);
  settle_->setRange(0, 10000);
  settle_->setSuffix(" ms");
  settle_->setValue(options.settleMs);
  form->addRow(tr("S&ettle time:"), settle_);
  form->addRow(tr("Set&up commands (\";\" between):"),
               setup_ = new QLineEdit(QString::fromStdString(options.setup), this));
  form->addRow(tr("Align all se&quence:"), sequence_ = new QLineEdit(QString::fromStdString(options.sequence), this));
  layout->addLayout(form);
  test_ = new QPushButton(tr("&Test connection"), this);
  test_->setAutoDefault(false);
  connect(test_, &QPushButton::clicked, this, &BenchDialog::Test);
  answer_ = new QLabel(this);
  answer_->setWordWrap(true);
  answer_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(test_);
  layout->addWidget(answer_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &BenchDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  poll_.setInterval(50);
  connect(&poll_, &QTimer::timeout, this, &BenchDialog::Poll);
}

BenchDialog::~BenchDialog() = default;

QDoubleSpinBox* BenchDialog::Level(double value, double lowest) {
  auto* box = new QDoubleSpinBox(this);
  box->setRange(lowest, 30);
  box->setDecimals(1);
  box->setValue(value);
  return box;
}

instrument::BenchOptions BenchDialog::options() const {
  instrument::BenchOptions o = base_;
  o.generator = generator_->text().trimmed().toStdString();
  o.bpfLevel = bpf_->value();
  o.rssiS3Level = s3_->value();
  o.rssiS1Level = s1_->value();
  o.cableLoss = loss_->value();
  o.maxLevel = max_->value();
  o.settleMs = settle_->value();
  o.setup = setup_->text().trimmed().toStdString();
  o.sequence = sequence_->text().trimmed().toStdString();
  if (o.sequence.empty()) o.sequence = instrument::BenchOptions::kDefaultSequence;
  return o;
}

// Nothing but *IDN? and the error queue: the instrument's own set-up is left as it is.
void BenchDialog::Test() {
  const instrument::BenchOptions o = options();
  std::string why;
  if (!instrument::VisaResource::Parse(o.generator, why)) {
    answer_->setText(QString::fromStdString(why));
    return;
  }
  tester_.reset();
  tester_ = std::make_unique<instrument::GeneratorWorker>(std::make_unique<instrument::LxiTransport>(), o);
  tester_->Submit({});
  test_->setEnabled(false);
  answer_->setText(tr("Asking %1...").arg(QString::fromStdString(o.generator)));
  poll_.start();
}

void BenchDialog::Poll() {
  for (const instrument::GeneratorReply& reply : tester_->TakeReplies()) {
    poll_.stop();
    test_->setEnabled(true);
    answer_->setText(reply.error.empty() ? "*IDN? " + QString::fromStdString(reply.identity)
                                         : QString::fromStdString(reply.error));
  }
}

void BenchDialog::accept() {
  const std::string text = generator_->text().trimmed().toStdString();
  std::string why;
  if (!text.empty() && !instrument::VisaResource::Parse(text, why)) {
    answer_->setText(QString::fromStdString(why));
    generator_->setFocus();
    return;
  }
  QDialog::accept();
}

}  // namespace qxt::app
