// What the study window shows of a study, without a window: the variables' captions in the
// user's units, the range each starts with, the curves of the plots (one per value of the
// second variable, broken where a point failed) and the list of failed points.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "study/sweep.h"

namespace torvane {

// "Seal radial clearance", "Number of teeth", ... (the labyrinth window's captions).
std::string VariableTitle(StudyVariable variable);
// The title with the user's unit: "Seal radial clearance (in)", "Upstream pressure (Bar a)";
// the number of teeth and the flow coefficient have none.
std::string VariableCaption(StudyVariable variable, const UnitChoice& units);
// A value with its unit, as plot legends and the failed-point list write it: "500 psia", "8".
std::string VariableValueText(StudyVariable variable, double value, const UnitChoice& units);
// "Upstream pressure = 500 psia".
std::string VariableSetting(StudyVariable variable, double value, const UnitChoice& units);

// The range a variable starts with: from its current input to twice that (to 1 when the input
// is 0), 21 points for the first variable and 3 for the second. The number of teeth goes by
// whole teeth: from the current number (rounded, at least 1) to twice that, one point a tooth
// for the first variable, and for the second 3 values when the span is even, else 2.
SweepRange StartingRange(StudyVariable variable, const LabyInputs& current, bool second);

// Teeth come in whole numbers: a range of the number of teeth whose values label curves must
// give whole values only. Nothing when it does (or the variable is another), else the message
// for the user:
// "The number of teeth goes by whole teeth: from 4 to 9 in 3 points gives 6.5".
std::optional<std::string> WholeTeethProblem(const SweepRange& range);

// The two plotted results.
enum class PlotQuantity { kMassFlow, kStdFlow };
// "Leakage mass flow (lb/min)", "Standard flow (SCFM)" or "(Sm3/hr)" by the mass-flow unit.
std::string PlotAxisTitle(PlotQuantity quantity, const UnitChoice& units);
// The unit alone: "lb/min", "SCFM".
std::string PlotUnit(PlotQuantity quantity, const UnitChoice& units);
double PlotValue(const SweepPoint& point, PlotQuantity quantity);

struct PlotPoint {
  double x;
  double y;
  bool operator==(const PlotPoint&) const = default;
};

// The curve of one value of the second variable (the only curve of a one-variable study): runs
// of calculated points in the order of the first variable; a failed point ends a run.
struct Curve {
  std::optional<double> second_value;
  std::vector<std::vector<PlotPoint>> segments;
};

// The curves of the points of a study so far (a cancelled study has fewer than its grid), in
// the order of the second variable's values.
std::vector<Curve> StudyCurves(const Sweep& sweep, std::span<const SweepPoint> points,
                               PlotQuantity quantity);

// The curves of a classical method's mass flow, as StudyCurves draws the correlation's: a run
// ends where the method failed, whatever the correlation did. None for a sweep without methods.
std::vector<Curve> MethodCurves(const Sweep& sweep, std::span<const SweepPoint> points,
                                MethodId method);

// The points of a run as they are drawn `columns` across: every point while there are no more
// than two a column, else in each column the first, lowest, highest and last points, in their
// order, which draws the same line at that width. The table and the exports keep every point.
std::vector<PlotPoint> ThinnedForDrawing(std::span<const PlotPoint> run, std::size_t columns);

// What a plot shows, for a screen reader: "Leakage mass flow (lb/min) against Seal radial
// clearance (in), 21 points, 2 failed; one curve for each of 3 values of Number of teeth;
// dashed: Martin, Martin-Vermes, Tooth by tooth".
std::string PlotDescription(const Sweep& sweep, std::span<const SweepPoint> points,
                            PlotQuantity quantity);

// "Seal radial clearance = 0.3 in: Maximum ..." for a failed point; with two variables both
// settings, separated by ", ".
std::string FailedPointText(const Sweep& sweep, const SweepPoint& point);

// A result as the table shows it: six significant digits.
std::string ResultText(double value);

}  // namespace torvane
