#pragma once
// The plot panel (View > "Plot"): the chart of the procedure under way or just finished, or of
// the readouts; under it the same in words (for a screen reader, and for whoever prefers
// numbers), "Copy image" and "Save image..." (PNG or SVG). It redraws a few times a second when
// the data has moved on, away from the path of a key press to its frame.

#include <QChartView>
#include <QDockWidget>
#include <QLabel>
#include <QTimer>
#include <functional>

#include "window/PlotData.h"

namespace qxt::app {

class PlotPanel : public QDockWidget {
  Q_OBJECT

 public:
  static constexpr int kRedrawMs = 200;

  PlotPanel(const window::PlotData& data, QWidget* parent = nullptr);

  // Redraws now if the data moved on since the last drawing.
  void Refresh();
  void CopyImage();
  // "" when saved, else why not; SVG when the name ends in .svg, PNG otherwise.
  QString SaveImage(const QString& path);

  QChartView* view() const { return view_; }
  QLabel* textAlternative() const { return text_; }
  // The file "Save image..." writes (a save dialog; tests replace it). Empty: cancelled.
  std::function<QString()> chooseImageFile;

 private:
  const window::PlotData& data_;
  QChartView* view_;
  QLabel* text_;
  QLabel* status_;
  QTimer timer_;
  uint64_t drawn_ = ~uint64_t{0};
};

}  // namespace qxt::app
