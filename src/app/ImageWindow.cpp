#include "app/ImageWindow.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include "memory/ParameterListing.h"

namespace qxt::app {

ImageWindow::ImageWindow(const QString& path, const Bytes& image, QWidget* parent)
    : QWidget(parent, Qt::Window),
      path_(path),
      image_(image),
      summary_(new QLabel(this)),
      table_(new QTableWidget(this)),
      radio_(new QPushButton(tr("Compare with the &radio"), this)),
      file_(new QPushButton(tr("Compare with a &file..."), this)),
      restore_(new QPushButton(tr("Re&store to the radio..."), this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(tr("%1 - image file").arg(QFileInfo(path).fileName()));
  setAccessibleName(windowTitle());
  auto* layout = new QVBoxLayout(this);
  summary_->setWordWrap(true);
  layout->addWidget(summary_);
  layout->addWidget(table_, 1);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {radio_, file_, restore_}) buttons->addWidget(b);
  buttons->addStretch();
  layout->addLayout(buttons);
  connect(radio_, &QPushButton::clicked, this, [this] { compareRadio(this); });
  connect(file_, &QPushButton::clicked, this, [this] { compareFile(this); });
  connect(restore_, &QPushButton::clicked, this, [this] { restore(this); });
  Fill({}, nullptr);
  resize(640, 600);
}

void ImageWindow::CompareWith(const QString& what, const Bytes& other) { Fill(what, &other); }

void ImageWindow::Fill(const QString& what, const Bytes* other) {
  const auto rows = memory::ParameterListing::RowsOf(image_);
  const auto others = other != nullptr ? memory::ParameterListing::RowsOf(*other) : rows;
  table_->clear();
  table_->setColumnCount(other != nullptr ? 4 : 3);
  QStringList headers{"", tr("Parameter"), tr("File")};
  if (other != nullptr) headers << what;
  table_->setHorizontalHeaderLabels(headers);
  table_->setRowCount(static_cast<int>(rows.size()));
  table_->setAccessibleName(tr("Parameters of the image file"));
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->verticalHeader()->hide();
  QFont mono("Courier New");
  mono.setStyleHint(QFont::TypeWriter);
  changed_ = 0;
  for (int r = 0; r < table_->rowCount(); ++r) {
    const auto& row = rows[static_cast<size_t>(r)];
    const auto& theirs = others[static_cast<size_t>(r)];
    const bool differs = row.value != theirs.value;
    changed_ += differs ? 1 : 0;
    const QString texts[] = {differs ? "*" : "", QString::fromStdString(row.label).trimmed(),
                             QString::fromStdString(row.value).trimmed(),
                             QString::fromStdString(theirs.value).trimmed()};
    for (int col = 0; col < table_->columnCount(); ++col) {
      auto* item = new QTableWidgetItem(texts[col]);
      QFont f = mono;
      f.setBold(differs);
      item->setFont(f);
      table_->setItem(r, col, item);
    }
  }
  table_->resizeColumnsToContents();
  const QString name = QFileInfo(path_).fileName();
  summary_->setText(other == nullptr ? tr("%1: the %2 parameter lines of this image file.").arg(name).arg(rows.size())
                                     : tr("%1 compared with %2: %3 of the %4 parameter lines differ (marked *).")
                                           .arg(name, what)
                                           .arg(changed_)
                                           .arg(rows.size()));
}

}  // namespace qxt::app
