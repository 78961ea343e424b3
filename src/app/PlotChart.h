#pragma once
// The chart of what the plot data shows (Qt Charts): a BPF sweep's level against the setting
// with its plateau shaded and the chosen and previous settings marked; an LVA bisection's path
// with its target level; the two RSSI points; or the group-A readouts as a strip chart. The same
// chart goes on the panel, into a PNG or SVG file, and into the service report.

#include <QByteArray>
#include <QChart>
#include <QImage>
#include <QSize>

#include "window/PlotData.h"

namespace qxt::app {

class PlotChart {
 public:
  // A new chart; the caller owns it.
  static QChart* Build(const window::PlotData& data);
  static QImage Render(const window::PlotData& data, QSize size);
  static QByteArray Svg(const window::PlotData& data, QSize size);
};

}  // namespace qxt::app
