#include "app/RestoreDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QVBoxLayout>

namespace qxt::app {

RestoreDialog::RestoreDialog(const Comparison& comparison, QWidget* parent)
    : QDialog(parent), summary_(new QLabel(this)), table_(new QTableWidget(this)) {
  setWindowTitle(tr("Restore image"));
  setAccessibleName(tr("Restore image"));
  auto* layout = new QVBoxLayout(this);
  summary_->setWordWrap(true);
  layout->addWidget(summary_);
  layout->addWidget(table_, 1);
  auto* buttons = new QDialogButtonBox(this);
  restore_ = buttons->addButton(tr("Restore"), QDialogButtonBox::AcceptRole);
  cancel_ = buttons->addButton(QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  Fill(comparison);
  cancel_->setDefault(true);
  cancel_->setFocus();
  resize(720, 560);
}

void RestoreDialog::Fill(const Comparison& c) {
  table_->setColumnCount(4);
  table_->setHorizontalHeaderLabels({"", tr("Parameter"), tr("Radio"), tr("File")});
  table_->setRowCount(static_cast<int>(c.radio.size()));
  table_->setAccessibleName(tr("Parameters of the radio and of the file"));
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->verticalHeader()->hide();
  QFont mono("Courier New");
  mono.setStyleHint(QFont::TypeWriter);
  table_->setFont(mono);
  for (int r = 0; r < table_->rowCount(); ++r) {
    const auto& radio = c.radio[static_cast<size_t>(r)];
    const auto& file = c.fromFile[static_cast<size_t>(r)];
    const bool differs = radio.value != file.value;
    changed_ += differs ? 1 : 0;
    const QString texts[] = {differs ? "*" : "", QString::fromStdString(radio.label).trimmed(),
                             QString::fromStdString(radio.value).trimmed(),
                             QString::fromStdString(file.value).trimmed()};
    for (int col = 0; col < 4; ++col) {
      auto* item = new QTableWidgetItem(texts[col]);
      QFont f = mono;
      f.setBold(differs);
      item->setFont(f);
      if (differs) item->setToolTip(tr("changed by the restore"));
      table_->setItem(r, col, item);
    }
  }
  table_->resizeColumnsToContents();
  const QString text = c.summary;
  summary_->setText(text);
}

}  // namespace qxt::app
