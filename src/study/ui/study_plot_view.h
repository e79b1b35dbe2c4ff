// The two plots of a study, one above the other: leakage mass flow and standard flow against the
// first varied input, one curve per value of the second, broken where points failed.
#pragma once

#include <QWidget>
#include <span>

class QChart;
class QChartView;
class QPainter;

namespace torvane {

class Sweep;
struct SweepPoint;

class StudyPlotView : public QWidget {
  Q_OBJECT

 public:
  explicit StudyPlotView(QWidget* parent = nullptr);

  // Plots the points of the sweep calculated so far; empty plots for no sweep.
  void Show(const Sweep* sweep, std::span<const SweepPoint> points);
  // Paints both plots into rect, e.g. a PDF page.
  void Render(QPainter& painter, const QRectF& rect);

  QChart* MassFlowChart() const;
  QChart* StdFlowChart() const;

 private:
  QChartView* mass_view_ = nullptr;
  QChartView* std_view_ = nullptr;
};

}  // namespace torvane
