// The table of a study's points: one row a point in grid order, growing while the study runs.
#pragma once

#include <QAbstractTableModel>

namespace torvane {

class StudyRun;

class StudyTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit StudyTableModel(QObject* parent = nullptr);

  // Shows the points of run (none for nullptr); the run outlives its showing.
  void SetRun(const StudyRun* run);
  // Takes in the points calculated since the last call.
  void Grow();

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  const StudyRun* run_ = nullptr;
  int rows_ = 0;
  QStringList headers_;
};

}  // namespace torvane
