#include "app/TextTableModel.h"

namespace qxt::app {

void TextTableModel::setRows(std::vector<QStringList> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
}

void TextTableModel::appendRows(std::vector<QStringList> rows) {
  if (rows.empty()) return;
  const int first = static_cast<int>(rows_.size());
  beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
  for (QStringList& r : rows) rows_.push_back(std::move(r));
  endInsertRows();
}

int TextTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TextTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : headers_.size(); }

QVariant TextTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
  const QStringList& cells = rows_[static_cast<size_t>(index.row())];
  const QString text = index.column() < cells.size() ? cells[index.column()] : QString();
  switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
      return text;
    case Qt::AccessibleTextRole:
      return headers_[index.column()] + ": " + text;
    default:
      return {};
  }
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= headers_.size()) return {};
  return role == Qt::DisplayRole || role == Qt::AccessibleTextRole ? QVariant(headers_[section]) : QVariant();
}

}  // namespace qxt::app
