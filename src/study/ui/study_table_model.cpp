#include "study/ui/study_table_model.h"

#include "study/study_form.h"
#include "study/study_run.h"

namespace torvane {

StudyTableModel::StudyTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void StudyTableModel::SetRun(const StudyRun* run) {
  beginResetModel();
  run_ = run;
  rows_ = run ? static_cast<int>(run->done()) : 0;
  headers_.clear();
  if (run) {
    for (const std::string& h : StudyTableHeaders(run->sweep())) {
      headers_.push_back(QString::fromStdString(h));
    }
  }
  endResetModel();
}

void StudyTableModel::Grow() {
  if (!run_) return;
  const int rows = static_cast<int>(run_->done());
  if (rows == rows_) return;
  beginInsertRows(QModelIndex(), rows_, rows - 1);
  rows_ = rows;
  endInsertRows();
}

int StudyTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int StudyTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QVariant StudyTableModel::data(const QModelIndex& index, int role) const {
  if (!run_ || !index.isValid() || index.row() >= rows_) return QVariant();
  const SweepPoint& p = run_->points()[static_cast<size_t>(index.row())];
  if (role == Qt::TextAlignmentRole) {
    const bool number = index.column() < StudyTableNumberColumns(run_->sweep());
    return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
  }
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return QVariant();
  return QString::fromStdString(StudyTableCell(run_->sweep(), p, index.column()));
}

QVariant StudyTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return QVariant();
  if (orientation == Qt::Vertical) return section + 1;
  if (section < 0 || section >= headers_.size()) return QVariant();
  return headers_[section];
}

}  // namespace torvane
