#include "app/RadioHistoryWindow.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QSplitter>
#include <QVBoxLayout>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

namespace qxt::app {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

RadioHistoryWindow::RadioHistoryWindow(const record::RecordReader& reader, const std::string& identity,
                                       const QString& radio, QWidget* parent)
    : QDialog(parent),
      model_({tr("Session"), tr("Started"), tr("Bench"), tr("Technician"), tr("Changes"), tr("Outcome")}) {
  setWindowTitle(tr("History of the radio %1").arg(radio));
  setAccessibleName(tr("Every session of this radio"));
  auto* layout = new QVBoxLayout(this);
  status_ = new QLabel(this);
  status_->setWordWrap(true);
  std::vector<std::string> items;
  try {
    history_ = std::make_unique<record::RadioHistory>(reader, identity);
    items = history_->Items();
    std::vector<QStringList> rows;
    for (const auto& s : history_->sessions()) {
      rows.push_back({QString::number(s.id), Q(s.started), Q(s.bench), Q(s.technician), QString::number(s.changes),
                      Q(s.outcomeText.empty() ? s.outcome : s.outcome + ": " + s.outcomeText)});
    }
    model_.setRows(std::move(rows));
    status_->setText(tr("%1 sessions of this radio in %2.").arg(model_.rowCount()).arg(Q(reader.Where())));
  } catch (const std::exception& e) {
    status_->setText(tr("The service record cannot be read (%1).").arg(e.what()));
  }
  auto* split = new QSplitter(Qt::Vertical, this);
  auto* table = new QTableView(split);
  table->setModel(&model_);
  table->setAccessibleName(tr("Sessions of this radio, oldest first"));
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->verticalHeader()->hide();
  table->horizontalHeader()->setStretchLastSection(true);
  table->resizeColumnsToContents();
  auto* plotPart = new QWidget(split);
  auto* plotLayout = new QVBoxLayout(plotPart);
  auto* chooserRow = new QHBoxLayout;
  item_ = new QComboBox(plotPart);
  item_->setAccessibleName(tr("Item plotted"));
  for (const std::string& label : items) item_->addItem(Q(label).trimmed(), Q(label));
  auto* itemLabel = new QLabel(tr("&Item:"), plotPart);
  itemLabel->setBuddy(item_);
  chooserRow->addWidget(itemLabel);
  chooserRow->addWidget(item_, 1);
  plotLayout->addLayout(chooserRow);
  chart_ = new QChartView(plotPart);
  chart_->setAccessibleName(tr("The item's value at the end of each session"));
  chart_->setMinimumHeight(220);
  plotLayout->addWidget(chart_, 1);
  layout->addWidget(split, 1);
  layout->addWidget(status_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  connect(item_, &QComboBox::currentIndexChanged, this, [this] { Plot(item_->currentData().toString()); });
  if (item_->count() > 0) Plot(item_->currentData().toString());
  resize(800, 640);
}

// x: the sessions in order (1 the oldest); y: the item's value at the end of each.
void RadioHistoryWindow::Plot(const QString& label) {
  auto* chart = new QChart;
  chart->legend()->hide();
  auto* series = new QLineSeries(chart);
  series->setPointsVisible(true);
  plotted_ = 0;
  double low = 0, high = 1;
  try {
    const auto points = history_ ? history_->Values(label.toStdString()) : std::vector<record::RadioHistory::Point>{};
    for (size_t i = 0; i < points.size(); ++i) {
      if (!points[i].value) continue;
      const double v = *points[i].value;
      low = plotted_ == 0 ? v : std::min(low, v);
      high = plotted_ == 0 ? v : std::max(high, v);
      series->append(static_cast<double>(i + 1), v);
      ++plotted_;
    }
  } catch (const std::exception& e) {
    status_->setText(tr("The service record cannot be read (%1).").arg(e.what()));
  }
  chart->addSeries(series);
  auto* x = new QValueAxis(chart);
  x->setTitleText(tr("Session of this radio (1: the oldest)"));
  x->setLabelFormat("%d");
  x->setRange(0.5, std::max(1.5, model_.rowCount() + 0.5));
  auto* y = new QValueAxis(chart);
  y->setTitleText(label.trimmed());
  y->setRange(low - 1, high + 1);
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);
  series->attachAxis(x);
  series->attachAxis(y);
  QChart* old = chart_->chart();
  chart_->setChart(chart);
  delete old;
}

}  // namespace qxt::app
