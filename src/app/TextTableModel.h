#pragma once
// A read-only table of texts for Qt's item views: the service record's sessions and events as
// the history window lists them. Each cell also serves as its own tooltip, so a long message can
// be read in full, and a screen reader reads the header with each cell.

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

namespace qxt::app {

class TextTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit TextTableModel(QStringList headers, QObject* parent = nullptr)
      : QAbstractTableModel(parent), headers_(std::move(headers)) {}

  void setRows(std::vector<QStringList> rows);
  // Rows added at the end (a list that fills as it scrolls).
  void appendRows(std::vector<QStringList> rows);
  const QStringList& row(int r) const { return rows_.at(static_cast<size_t>(r)); }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

 private:
  QStringList headers_;
  std::vector<QStringList> rows_;
};

}  // namespace qxt::app
