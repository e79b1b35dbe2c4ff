#include "study/study_plot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "laby/labyrinth_form.h"
#include "units/number_format.h"

namespace torvane {
namespace {

// The labyrinth window's largest number of teeth.
constexpr double kMostTeeth = 50;

std::string Trimmed(const std::string& label) {
  const auto end = label.find_last_not_of(' ');
  return end == std::string::npos ? std::string() : label.substr(0, end + 1);
}

}  // namespace

std::string VariableTitle(StudyVariable variable) {
  std::string caption = FieldCaption(VariableField(variable));
  if (!caption.empty() && caption.back() == ':') caption.pop_back();
  return caption;
}

std::string VariableCaption(StudyVariable variable, const UnitChoice& units) {
  const auto quantity = VariableQuantity(variable);
  if (!quantity) return VariableTitle(variable);
  return VariableTitle(variable) + " (" + Trimmed(units.Label(*quantity)) + ")";
}

std::string VariableValueText(StudyVariable variable, double value, const UnitChoice& units) {
  const auto quantity = VariableQuantity(variable);
  if (!quantity) return ShortestGeneral(value);
  return ShortestGeneral(value) + " " + Trimmed(units.Label(*quantity));
}

std::string VariableSetting(StudyVariable variable, double value, const UnitChoice& units) {
  return VariableTitle(variable) + " = " + VariableValueText(variable, value, units);
}

SweepRange StartingRange(StudyVariable variable, const LabyInputs& current, bool second) {
  SweepRange r;
  r.variable = variable;
  r.from = VariableValue(current, variable);
  if (variable == StudyVariable::kTeeth) {
    r.from = std::isfinite(r.from) ? std::clamp(std::round(r.from), 1.0, kMostTeeth) : 1.0;
    r.to = std::min(2 * r.from, kMostTeeth);
    const auto span = static_cast<std::int64_t>(r.to - r.from);
    if (span == 0) {
      r.count = 1;
    } else if (second) {
      r.count = span % 2 == 0 ? 3 : 2;
    } else {
      r.count = span + 1;
    }
    return r;
  }
  r.to = r.from == 0 ? 1 : 2 * r.from;
  r.count = second ? 3 : 21;
  return r;
}

std::optional<std::string> WholeTeethProblem(const SweepRange& range) {
  if (range.variable != StudyVariable::kTeeth) return std::nullopt;
  for (std::int64_t i = 0; i < range.count; ++i) {
    const double value = range.Value(i);
    if (value != std::floor(value)) {
      return "The number of teeth goes by whole teeth: from " + ShortestGeneral(range.from) +
             " to " + ShortestGeneral(range.to) + " in " + std::to_string(range.count) +
             " points gives " + ShortestGeneral(value);
    }
  }
  return std::nullopt;
}

std::string PlotUnit(PlotQuantity quantity, const UnitChoice& units) {
  return quantity == PlotQuantity::kMassFlow ? Trimmed(units.Label(Quantity::kMassFlow))
                                             : StandardFlowUnit(units.Index(Quantity::kMassFlow));
}

std::string PlotAxisTitle(PlotQuantity quantity, const UnitChoice& units) {
  return (quantity == PlotQuantity::kMassFlow ? "Leakage mass flow (" : "Standard flow (") +
         PlotUnit(quantity, units) + ")";
}

double PlotValue(const SweepPoint& point, PlotQuantity quantity) {
  return quantity == PlotQuantity::kMassFlow ? point.results.laby_flow
                                             : point.results.laby_flow_std;
}

namespace {

// The curves of the values value_of gives, a run broken where it gives none.
template <class ValueOf>
std::vector<Curve> CurvesOf(const Sweep& sweep, std::span<const SweepPoint> points,
                            ValueOf value_of) {
  const auto& ranges = sweep.ranges();
  const bool two = ranges.size() == 2;
  std::vector<Curve> curves(two ? static_cast<size_t>(ranges[1].count) : 1);
  if (two) {
    for (size_t j = 0; j < curves.size(); ++j) {
      curves[j].second_value = ranges[1].Value(static_cast<std::int64_t>(j));
    }
  }
  // Whether the last point seen of each curve failed (or none was seen yet).
  std::vector<bool> broken(curves.size(), true);
  for (const SweepPoint& p : points) {
    const size_t j = static_cast<size_t>(sweep.GridPosition(p.index)[1]);
    Curve& curve = curves[j];
    const std::optional<double> y = value_of(p);
    if (!y) {
      broken[j] = true;
      continue;
    }
    if (broken[j]) curve.segments.emplace_back();
    broken[j] = false;
    curve.segments.back().push_back({p.values[0], *y});
  }
  return curves;
}

}  // namespace

std::vector<Curve> StudyCurves(const Sweep& sweep, std::span<const SweepPoint> points,
                               PlotQuantity quantity) {
  return CurvesOf(sweep, points, [quantity](const SweepPoint& p) -> std::optional<double> {
    if (p.status != PointStatus::kOk) return std::nullopt;
    return PlotValue(p, quantity);
  });
}

std::vector<Curve> MethodCurves(const Sweep& sweep, std::span<const SweepPoint> points,
                                MethodId method) {
  if (!sweep.methods()) return {};
  const auto k = static_cast<size_t>(std::find(kMethodIds.begin(), kMethodIds.end(), method) -
                                     kMethodIds.begin());
  return CurvesOf(sweep, points, [k](const SweepPoint& p) -> std::optional<double> {
    if (!p.methods) return std::nullopt;
    return (*p.methods)[k];
  });
}

std::vector<PlotPoint> ThinnedForDrawing(std::span<const PlotPoint> run, std::size_t columns) {
  // Up to two points a column are drawn as they are.
  if (columns == 0 || run.size() <= 2 * columns) return {run.begin(), run.end()};
  std::vector<PlotPoint> drawn;
  drawn.reserve(4 * columns);
  const std::size_t n = run.size();
  for (std::size_t c = 0; c < columns; ++c) {
    const std::size_t first = c * n / columns;
    const std::size_t last = (c + 1) * n / columns - 1;
    std::size_t low = first;
    std::size_t high = first;
    for (std::size_t i = first + 1; i <= last; ++i) {
      if (run[i].y < run[low].y) low = i;
      if (run[i].y > run[high].y) high = i;
    }
    std::size_t keep[] = {first, std::min(low, high), std::max(low, high), last};
    for (std::size_t k = 0; k < 4; ++k) {
      if (k > 0 && keep[k] == keep[k - 1]) continue;
      drawn.push_back(run[keep[k]]);
    }
  }
  return drawn;
}

std::string PlotDescription(const Sweep& sweep, std::span<const SweepPoint> points,
                            PlotQuantity quantity) {
  const UnitChoice& units = sweep.units();
  const auto& ranges = sweep.ranges();
  const auto failed = std::count_if(points.begin(), points.end(), [](const SweepPoint& p) {
    return p.status != PointStatus::kOk;
  });
  std::string text =
      PlotAxisTitle(quantity, units) + " against " + VariableCaption(ranges[0].variable, units) +
      ", " + std::to_string(points.size()) + (points.size() == 1 ? " point, " : " points, ") +
      std::to_string(failed) + " failed";
  if (ranges.size() == 2) {
    text += "; one curve for each of " + std::to_string(ranges[1].count) + " values of " +
            VariableTitle(ranges[1].variable);
  }
  if (quantity == PlotQuantity::kMassFlow && sweep.methods()) {
    text += "; dashed:";
    for (size_t k = 0; k < kMethodIds.size(); ++k) {
      text += (k == 0 ? " " : ", ") + std::string(MethodName(kMethodIds[k]));
    }
  }
  return text;
}

std::string FailedPointText(const Sweep& sweep, const SweepPoint& point) {
  std::string text;
  const auto& ranges = sweep.ranges();
  for (size_t k = 0; k < ranges.size(); ++k) {
    if (k > 0) text += ", ";
    text += VariableSetting(ranges[k].variable, point.values[k], sweep.units());
  }
  return text + ": " + point.message;
}

std::string ResultText(double value) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.6g", value);
  return buf;
}

}  // namespace torvane
