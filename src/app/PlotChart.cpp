#include "app/PlotChart.h"

#include <QAreaSeries>
#include <QBuffer>
#include <QGraphicsScene>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QSvgGenerator>
#include <QValueAxis>

namespace qxt::app {

namespace {

struct Axes {
  QValueAxis* x;
  QValueAxis* y;
};

Axes AddAxes(QChart* chart, const QString& x, double xFrom, double xTo, const QString& y) {
  Axes axes{new QValueAxis(chart), new QValueAxis(chart)};
  axes.x->setTitleText(x);
  axes.x->setRange(xFrom, xTo);
  axes.x->setLabelFormat("%d");
  axes.y->setTitleText(y);
  axes.y->setRange(0, 255);
  axes.y->setLabelFormat("%d");
  for (QValueAxis* axis : {axes.x, axes.y}) {
    if (axis->max() - axis->min() != 255) continue;
    axis->setTickType(QValueAxis::TicksDynamic);  // 0, 32, 64 ... as the settings are counted
    axis->setTickAnchor(0);
    axis->setTickInterval(32);
  }
  chart->addAxis(axes.x, Qt::AlignBottom);
  chart->addAxis(axes.y, Qt::AlignLeft);
  return axes;
}

void Add(QChart* chart, const Axes& axes, QAbstractSeries* series) {
  chart->addSeries(series);
  series->attachAxis(axes.x);
  series->attachAxis(axes.y);
}

QScatterSeries* Marker(const QString& name, double x, double y, QColor color, qreal size = 11) {
  auto* marker = new QScatterSeries;
  marker->setName(name);
  marker->append(x, y);
  marker->setColor(color);
  marker->setMarkerSize(size);
  return marker;
}

// The level measured at a setting, or nullopt when the series holds none there.
std::optional<int16_t> LevelAt(const window::PlotSeries& s, int16_t setting) {
  for (const auto& p : s.points) {
    if (p.setting == setting) return p.level;
  }
  return std::nullopt;
}

void AddSweep(QChart* chart, const window::PlotData& data) {
  const Axes axes = AddAxes(chart, "Filter setting", 0, 255, "SD level");
  for (const window::PlotSeries& s : data.series()) {
    const QString name = QString::fromStdString(s.name).remove("BPF ");  // short, for the legend
    if (s.plateau) {  // first, so that the curve and the marks lie on top of it
      auto* low = new QLineSeries;
      auto* high = new QLineSeries;
      for (int16_t x : {s.plateau->first, s.plateau->second}) {
        low->append(x, 0);
        high->append(x, 255);
      }
      auto* area = new QAreaSeries(high, low);
      low->setParent(area);  // the area does not take its bounding lines
      high->setParent(area);
      area->setName(name + " plateau " + QString::number(s.plateau->first) + "-" + QString::number(s.plateau->second));
      area->setColor(QColor(255, 200, 80, 90));
      area->setBorderColor(QColor(255, 170, 0, 140));
      Add(chart, axes, area);
    }
    auto* curve = new QLineSeries;
    curve->setName(name + " level");
    for (const auto& p : s.points) curve->append(p.setting, p.level);
    Add(chart, axes, curve);
    if (s.reference) {
      Add(chart, axes,
          Marker(name + " before " + QString::number(*s.reference), *s.reference, LevelAt(s, *s.reference).value_or(0),
                 Qt::gray, 9));
    }
    if (s.chosen) {
      Add(chart, axes,
          Marker(name + " set to " + QString::number(*s.chosen), *s.chosen, LevelAt(s, *s.chosen).value_or(0),
                 QColor(0, 150, 0)));
    }
  }
}

void AddBisection(QChart* chart, const window::PlotData& data) {
  const Axes axes = AddAxes(chart, "LVA setting", 0, 255, "LVIN level");
  for (const window::PlotSeries& s : data.series()) {
    const QString name = QString::fromStdString(s.name);
    auto* path = new QLineSeries;
    path->setName(name + " LVIN as measured");
    path->setPointsVisible(true);
    for (const auto& p : s.points) path->append(p.setting, p.level);
    Add(chart, axes, path);
    if (s.target) {
      auto* target = new QLineSeries;
      target->setName("target level " + QString::number(*s.target));
      target->append(0, *s.target);
      target->append(255, *s.target);
      target->setPen(QPen(Qt::darkRed, 1, Qt::DashLine));
      Add(chart, axes, target);
    }
    if (s.ended) {
      const bool found = s.chosen.has_value();
      const int16_t x = found ? *s.chosen : s.reference.value_or(0);
      Add(chart, axes,
          Marker(found ? name + " set to " + QString::number(x) : name + " failed: back to " + QString::number(x), x,
                 LevelAt(s, x).value_or(s.target.value_or(0)), found ? QColor(0, 150, 0) : QColor(Qt::red)));
    }
  }
}

void AddRssi(QChart* chart, const window::PlotData& data) {
  const Axes axes = AddAxes(chart, "Signal (S units)", 0, 4, "SD level");
  axes.x->setTickCount(5);
  auto* points = new QScatterSeries;
  points->setName("RSSI points stored");
  points->setMarkerSize(12);
  for (const auto& [which, level] : data.stored()) points->append(which == "S1" ? 1 : 3, level);
  Add(chart, axes, points);
}

void AddStrip(QChart* chart, const window::PlotData& data) {
  const Axes axes = AddAxes(chart, "Seconds before now", -window::PlotData::kStripMs / 1000.0, 0, "Raw value");
  for (size_t i = 0; i < data.readouts().size(); ++i) {
    auto* line = new QLineSeries;
    line->setName(window::PlotData::kReadoutNames[i]);
    line->setPointsVisible(true);
    for (const auto& sample : data.readouts()[i]) line->append((sample.tick - data.lastTick()) / 1000.0, sample.raw);
    Add(chart, axes, line);
  }
}

}  // namespace

QChart* PlotChart::Build(const window::PlotData& data) {
  auto* chart = new QChart;
  QString title = QString::fromStdString(data.title());
  if (data.kind() != window::PlotKind::kReadouts) {
    title += data.outcome() ? QString(" (%1)").arg(adjust::OutcomeName(*data.outcome())) : QString(" (running)");
  }
  chart->setTitle(title);
  chart->setAnimationOptions(QChart::NoAnimation);
  chart->legend()->setAlignment(Qt::AlignBottom);
  QFont legend = chart->legend()->font();
  legend.setPointSizeF(legend.pointSizeF() * 0.85);
  chart->legend()->setFont(legend);
  switch (data.kind()) {
    case window::PlotKind::kBpfSweep:
      AddSweep(chart, data);
      break;
    case window::PlotKind::kLvaAdjust:
      AddBisection(chart, data);
      break;
    case window::PlotKind::kRssi:
      AddRssi(chart, data);
      break;
    case window::PlotKind::kReadouts:
      AddStrip(chart, data);
      break;
  }
  return chart;
}

// The chart is drawn in a scene of its own at the size asked for, on white.
template <class Device>
void Draw(const window::PlotData& data, QSize size, Device& device) {
  QGraphicsScene scene;
  QChart* chart = PlotChart::Build(data);
  scene.addItem(chart);  // the scene owns it
  chart->resize(size);
  QPainter painter(&device);
  painter.setRenderHint(QPainter::Antialiasing);
  scene.render(&painter, QRectF(QPointF(0, 0), size), QRectF(QPointF(0, 0), size));
}

QImage PlotChart::Render(const window::PlotData& data, QSize size) {
  QImage image(size, QImage::Format_ARGB32);
  image.fill(Qt::white);
  Draw(data, size, image);
  return image;
}

QByteArray PlotChart::Svg(const window::PlotData& data, QSize size) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  svg.setSize(size);
  svg.setViewBox(QRect(QPoint(0, 0), size));
  svg.setTitle(QString::fromStdString(data.title()));
  svg.setDescription(QString::fromStdString(data.Describe()));
  Draw(data, size, svg);
  return bytes;
}

}  // namespace qxt::app
