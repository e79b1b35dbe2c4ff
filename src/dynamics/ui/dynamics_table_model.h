// The table of speeds of the rotordynamics window: one row a speed, the columns and texts of
// the dynamics form, numbers to the right.
#pragma once

#include <QAbstractTableModel>

#include "dynamics/dynamics_form.h"

namespace torvane {

class DynamicsTableModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  // The calculation to show; nothing empties the table. The results must outlive the model or
  // be replaced first.
  void SetResults(const DynamicsResults* results);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  const DynamicsResults* results_ = nullptr;
  std::vector<std::string> headers_;
};

}  // namespace torvane
