#include "study/ui/study_plot_view.h"

#include <QChart>
#include <QChartView>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

#include "methods/comparison_table.h"
#include "study/study_plot.h"
#include "study/sweep.h"

namespace torvane {
namespace {

// One colour a curve; curves beyond the list take its colours again.
const QColor kCurveColors[] = {
    QColor(0x1f, 0x77, 0xb4), QColor(0xd6, 0x27, 0x28), QColor(0x2c, 0xa0, 0x2c),
    QColor(0xff, 0x7f, 0x0e), QColor(0x94, 0x67, 0xbd), QColor(0x8c, 0x56, 0x4b),
    QColor(0xe3, 0x77, 0xc2), QColor(0x7f, 0x7f, 0x7f), QColor(0xbc, 0xbd, 0x22),
    QColor(0x17, 0xbe, 0xcf),
};

// The lines of the classical methods, in the order of kMethodIds; the correlation's are solid.
constexpr Qt::PenStyle kMethodStyles[] = {Qt::DashLine, Qt::DotLine, Qt::DashDotLine};

// Markers on the lines while they are few enough to tell apart.
constexpr size_t kMostMarkedPoints = 41;
// The columns a curve is thinned to for drawing: about three pixels each of a plot on screen or
// in an export (laid out 1000 wide); the lowest and highest point of each are kept, so no peak
// is lost.
constexpr size_t kDrawnColumns = 256;
// A study of the number of teeth has its axis marked in whole teeth, at most this many marks.
constexpr double kMostTeethTicks = 12;

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

// A range around [lo, hi] that shows a single value too.
std::pair<double, double> Padded(double lo, double hi, double fraction) {
  if (lo > hi) std::swap(lo, hi);
  const double span = hi - lo;
  if (span > 0) return {lo - span * fraction, hi + span * fraction};
  const double half = lo == 0 ? 1 : std::abs(lo) * 0.1;
  return {lo - half, hi + half};
}

void Fill(QChart* chart, const Sweep* sweep, std::span<const SweepPoint> points,
          PlotQuantity quantity) {
  chart->removeAllSeries();
  for (QAbstractAxis* axis : chart->axes()) {
    chart->removeAxis(axis);
    delete axis;
  }
  auto* x = new QValueAxis(chart);
  auto* y = new QValueAxis(chart);
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);
  if (!sweep) {
    chart->legend()->hide();
    return;
  }
  const SweepRange& first = sweep->ranges()[0];
  // The plot's title says what is plotted in which unit; the axis repeats the unit.
  chart->setTitle(Text(PlotAxisTitle(quantity, sweep->units())));
  x->setTitleText(Text(VariableCaption(first.variable, sweep->units())));
  y->setTitleText(Text(PlotUnit(quantity, sweep->units())));

  const std::vector<Curve> curves = StudyCurves(*sweep, points, quantity);
  // The classical methods go on the mass-flow plot only, dashed in their curve's colour.
  const bool methods = quantity == PlotQuantity::kMassFlow && sweep->methods();
  std::vector<std::vector<Curve>> method_curves;
  if (methods) {
    for (MethodId id : kMethodIds) method_curves.push_back(MethodCurves(*sweep, points, id));
  }
  double y_lo = std::numeric_limits<double>::infinity();
  double y_hi = -y_lo;
  for (size_t j = 0; j < curves.size(); ++j) {
    const Curve& curve = curves[j];
    const QColor color = kCurveColors[j % std::size(kCurveColors)];
    const QString name = curve.second_value
                             ? Text(VariableSetting(sweep->ranges()[1].variable,
                                                    *curve.second_value, sweep->units()))
                             : QString();
    bool in_legend = false;
    // A curve broken into runs has one legend entry; the methods' runs have none of their own.
    const auto add = [&](QXYSeries* series, bool legend) {
      series->setName(name);
      series->setColor(color);
      chart->addSeries(series);
      series->attachAxis(x);
      series->attachAxis(y);
      const auto markers = chart->legend()->markers(series);
      for (QLegendMarker* m : markers) {
        m->setVisible(legend && !in_legend && curve.second_value);
      }
      if (legend) in_legend = true;
    };
    const auto add_runs = [&](const Curve& runs, Qt::PenStyle style) {
      const bool solid = style == Qt::SolidLine;
      for (const std::vector<PlotPoint>& segment : runs.segments) {
        // Every point counts for the axes; the line is drawn through the thinned points.
        for (const PlotPoint& p : segment) {
          y_lo = std::min(y_lo, p.y);
          y_hi = std::max(y_hi, p.y);
        }
        const std::vector<PlotPoint> drawn = ThinnedForDrawing(segment, kDrawnColumns);
        QList<QPointF> xy;
        xy.reserve(static_cast<qsizetype>(drawn.size()));
        for (const PlotPoint& p : drawn) {
          xy.append(QPointF(p.x, p.y));
        }
        QXYSeries* series;
        if (segment.size() == 1) {
          auto* scatter = new QScatterSeries;
          scatter->setMarkerSize(solid ? 8 : 6);
          scatter->setBorderColor(color);
          series = scatter;
        } else {
          auto* line = new QLineSeries;
          line->setPen(QPen(color, solid ? 2 : 1.5, style));
          line->setPointsVisible(solid && static_cast<size_t>(first.count) <= kMostMarkedPoints);
          series = line;
        }
        series->replace(xy);
        add(series, solid);
        // A method's lone point is an open square, told apart from the correlation's dots.
        if (!solid && segment.size() == 1) {
          auto* scatter = static_cast<QScatterSeries*>(series);
          scatter->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
          scatter->setBrush(Qt::white);
        }
      }
    };
    add_runs(curve, Qt::SolidLine);
    // A curve whose every point failed still has its place in the legend.
    if (curve.segments.empty() && curve.second_value) add(new QLineSeries, true);
    for (size_t k = 0; k < method_curves.size(); ++k) {
      add_runs(method_curves[k][j], kMethodStyles[k]);
    }
  }
  // Lines of no points that say in the legend which kind of line is which method.
  if (methods) {
    const QColor ink = curves.size() > 1 ? QColor(0x40, 0x40, 0x40) : kCurveColors[0];
    const auto key = [&](const QString& text, Qt::PenStyle style, qreal width) {
      auto* series = new QLineSeries;
      series->setName(text);
      series->setPen(QPen(ink, width, style));
      chart->addSeries(series);
      series->attachAxis(x);
      series->attachAxis(y);
    };
    key(QString::fromUtf8(kLegacyMethodName), Qt::SolidLine, 2);
    for (size_t k = 0; k < kMethodIds.size(); ++k) {
      key(QString::fromUtf8(MethodName(kMethodIds[k])), kMethodStyles[k], 1.5);
    }
  }

  const auto [x_lo, x_hi] = Padded(first.from, first.to, 0);
  x->setRange(x_lo, x_hi);
  x->applyNiceNumbers();
  if (y_lo <= y_hi) {
    auto [lo, hi] = Padded(y_lo, y_hi, 0.05);
    // Flows do not go below zero; the axis does not either when none does.
    if (y_lo >= 0 && lo < 0) lo = 0;
    y->setRange(lo, hi);
  } else {
    y->setRange(0, 1);
  }
  y->applyNiceNumbers();
  x->setLabelFormat("%.6g");
  y->setLabelFormat("%.6g");
  if (first.variable == StudyVariable::kTeeth) {
    // Teeth are whole: the marks fall on whole numbers only.
    x->setTickType(QValueAxis::TicksDynamic);
    x->setTickAnchor(0);
    x->setTickInterval(std::max(1.0, std::ceil((x->max() - x->min()) / kMostTeethTicks)));
    x->setLabelFormat("%.0f");
  }
  chart->legend()->setVisible(sweep->ranges().size() == 2 || methods);
  chart->legend()->setMarkerShape(methods ? QLegend::MarkerShapeFromSeries
                                          : QLegend::MarkerShapeDefault);
  // A legend of the methods alone goes below the plot, which keeps the width of the plot under it.
  chart->legend()->setAlignment(sweep->ranges().size() == 2 ? Qt::AlignRight : Qt::AlignBottom);
}

QChartView* MakeView(const QString& name, QWidget* parent) {
  auto* chart = new QChart;
  chart->setObjectName(name);
  chart->setMargins(QMargins(4, 4, 16, 4));
  chart->setBackgroundRoundness(0);
  auto* view = new QChartView(chart, parent);
  view->setObjectName(QStringLiteral("view") + name);
  view->setRenderHint(QPainter::Antialiasing);
  view->setMinimumSize(480, 220);
  return view;
}

}  // namespace

StudyPlotView::StudyPlotView(QWidget* parent) : QWidget(parent) {
  mass_view_ = MakeView(QStringLiteral("chartMassFlow"), this);
  std_view_ = MakeView(QStringLiteral("chartStdFlow"), this);
  mass_view_->setAccessibleName(QStringLiteral("Leakage mass flow plot"));
  std_view_->setAccessibleName(QStringLiteral("Standard flow plot"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(mass_view_, 1);
  layout->addWidget(std_view_, 1);
  Show(nullptr, {});
}

void StudyPlotView::Show(const Sweep* sweep, std::span<const SweepPoint> points) {
  Fill(mass_view_->chart(), sweep, points, PlotQuantity::kMassFlow);
  Fill(std_view_->chart(), sweep, points, PlotQuantity::kStdFlow);
  // What each plot shows, for a screen reader.
  const std::pair<QChartView*, PlotQuantity> views[] = {{mass_view_, PlotQuantity::kMassFlow},
                                                        {std_view_, PlotQuantity::kStdFlow}};
  for (const auto& [view, quantity] : views) {
    view->setAccessibleDescription(sweep ? Text(PlotDescription(*sweep, points, quantity))
                                         : QStringLiteral("No study has been run"));
  }
}

void StudyPlotView::Render(QPainter& painter, const QRectF& rect) {
  // Each plot is laid out again at a width of kRenderWidth points and the height that fills
  // its half of rect, so that its text keeps a screen's proportions on any page or picture.
  constexpr qreal kRenderWidth = 1000;
  const qreal scale = rect.width() / kRenderWidth;
  const qreal gap = rect.height() * 0.02;
  const qreal h = (rect.height() - gap) / 2;
  const QSizeF logical(kRenderWidth, h / scale);
  qreal top = rect.top();
  for (QChartView* view : {mass_view_, std_view_}) {
    QChart* chart = view->chart();
    const QRectF shown = chart->geometry();
    chart->setGeometry(QRectF(shown.topLeft(), logical));
    view->scene()->render(&painter, QRectF(rect.left(), top, rect.width(), h),
                          QRectF(shown.topLeft(), logical));
    chart->setGeometry(shown);
    top += h + gap;
  }
}

QChart* StudyPlotView::MassFlowChart() const { return mass_view_->chart(); }
QChart* StudyPlotView::StdFlowChart() const { return std_view_->chart(); }

}  // namespace torvane
