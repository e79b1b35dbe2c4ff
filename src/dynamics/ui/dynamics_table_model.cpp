#include "dynamics/ui/dynamics_table_model.h"

namespace torvane {

void DynamicsTableModel::SetResults(const DynamicsResults* results) {
  beginResetModel();
  results_ = results;
  headers_ = results ? DynamicsTableHeaders(results->units) : std::vector<std::string>{};
  endResetModel();
}

int DynamicsTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || !results_ ? 0 : static_cast<int>(results_->speeds.size());
}

int DynamicsTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QVariant DynamicsTableModel::data(const QModelIndex& index, int role) const {
  if (!results_ || !index.isValid()) return {};
  if (role == Qt::TextAlignmentRole) {
    return static_cast<int>(
        Qt::AlignVCenter |
        (index.column() < DynamicsTableNumberColumns() ? Qt::AlignRight : Qt::AlignLeft));
  }
  if (role != Qt::DisplayRole) return {};
  const SpeedAnswer& speed = results_->speeds[static_cast<size_t>(index.row())];
  return QString::fromStdString(DynamicsTableCell(speed, index.column()));
}

QVariant DynamicsTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  if (section < 0 || section >= static_cast<int>(headers_.size())) return {};
  return QString::fromStdString(headers_[static_cast<size_t>(section)]);
}

}  // namespace torvane
