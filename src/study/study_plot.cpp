#include "study/study_plot.h"

#include <algorithm>
#include <cstdio>

#include "laby/labyrinth_form.h"
#include "units/number_format.h"

namespace torvane {
namespace {

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
  r.to = r.from == 0 ? 1 : 2 * r.from;
  r.count = second ? 3 : 21;
  return r;
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
