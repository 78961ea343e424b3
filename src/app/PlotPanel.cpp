#include "app/PlotPanel.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

#include "app/PlotChart.h"

namespace qxt::app {

namespace {
const QSize kImageSize(900, 560);
}

PlotPanel::PlotPanel(const window::PlotData& data, QWidget* parent)
    : QDockWidget(tr("Plot"), parent), data_(data), view_(new QChartView), text_(new QLabel), status_(new QLabel) {
  setObjectName("plotPanel");
  setAccessibleName(tr("Plot"));
  auto* body = new QWidget(this);
  auto* layout = new QVBoxLayout(body);
  view_->setRenderHint(QPainter::Antialiasing);
  view_->setMinimumSize(420, 300);
  view_->setAccessibleName(tr("Plot of the procedure or of the readouts"));
  layout->addWidget(view_, 1);
  text_->setWordWrap(true);
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  text_->setAccessibleName(tr("The plot in words"));
  layout->addWidget(text_);
  auto* row = new QHBoxLayout;
  auto* copy = new QPushButton(tr("&Copy image"), body);
  auto* save = new QPushButton(tr("Save &image..."), body);
  row->addWidget(copy);
  row->addWidget(save);
  row->addWidget(status_, 1);
  layout->addLayout(row);
  setWidget(body);
  chooseImageFile = [this] {
    return QFileDialog::getSaveFileName(this, tr("Save the plot"), QString(),
                                        tr("PNG images (*.png);;SVG drawings (*.svg)"));
  };
  connect(copy, &QPushButton::clicked, this, &PlotPanel::CopyImage);
  connect(save, &QPushButton::clicked, this, [this] {
    const QString path = chooseImageFile();
    if (path.isEmpty()) return;
    const QString why = SaveImage(path);
    status_->setText(why.isEmpty() ? tr("Saved as %1").arg(path) : why);
  });
  connect(&timer_, &QTimer::timeout, this, &PlotPanel::Refresh);
  timer_.start(kRedrawMs);
  Refresh();
}

void PlotPanel::Refresh() {
  if (drawn_ == data_.revision() || (!isVisible() && drawn_ != ~uint64_t{0})) return;
  drawn_ = data_.revision();
  QChart* old = view_->chart();
  view_->setChart(PlotChart::Build(data_));
  delete old;
  const QString words = QString::fromStdString(data_.Describe());
  text_->setText(words);
  view_->setAccessibleDescription(words);
}

void PlotPanel::CopyImage() {
  QApplication::clipboard()->setImage(PlotChart::Render(data_, kImageSize));
  status_->setText(tr("Copied."));
}

QString PlotPanel::SaveImage(const QString& path) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return path + ": " + file.errorString();
  if (path.endsWith(".svg", Qt::CaseInsensitive)) {
    file.write(PlotChart::Svg(data_, kImageSize));
  } else if (!PlotChart::Render(data_, kImageSize).save(&file, "PNG")) {
    file.cancelWriting();
    return tr("%1: the image could not be written").arg(path);
  }
  if (!file.commit()) return path + ": " + file.errorString();
  return {};
}

}  // namespace qxt::app
