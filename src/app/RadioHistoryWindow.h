#pragma once
// A radio's own history, one click from a session of the history window: every session of its
// identification data on every bench, and a plot of one item of its listing over them (the
// drift of an alignment between services).

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QTableView>
#include <QtCharts/QChartView>
#include <memory>

#include "app/TextTableModel.h"
#include "record/RadioHistory.h"

namespace qxt::app {

class RadioHistoryWindow : public QDialog {
  Q_OBJECT

 public:
  // identity: the radio's identification data (hex); radio: how it is named.
  RadioHistoryWindow(const record::RecordReader& reader, const std::string& identity, const QString& radio,
                     QWidget* parent = nullptr);

  TextTableModel& sessions() { return model_; }
  QComboBox* itemChooser() const { return item_; }
  // The points of the plot: the item's value at the end of each session that had one.
  int plotted() const { return plotted_; }

 private:
  void Plot(const QString& label);

  std::unique_ptr<record::RadioHistory> history_;
  TextTableModel model_;
  QComboBox* item_ = nullptr;
  QChartView* chart_ = nullptr;
  QLabel* status_ = nullptr;
  int plotted_ = 0;
};

}  // namespace qxt::app
