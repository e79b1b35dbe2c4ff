// The comparison page of the labyrinth report: the program's correlation, Martin, Martin-Vermes
// and tooth by tooth side by side, and the tooth-by-tooth cavity pressures plotted against the
// station with the downstream pressure and the choked station. It follows the labyrinth report's
// first page, which is printed exactly as without it.
#pragma once

#include <string>
#include <vector>

#include "methods/comparison_table.h"
#include "methods/method_comparison.h"
#include "reports/labyrinth_report.h"

namespace torvane {

inline constexpr const char kComparisonPageTitle[] = "Leakage Methods Compared";

// Starts a new page and prints the comparison on it. Throws PrinterError on any failure.
void PrintMethodComparisonPage(PrinterSurface& surface, ReportServices services,
                               const MethodComparison& comparison);

// The labyrinth report's first page exactly as PrintLabyrinthReport prints it, then the
// comparison page; ends the document.
void PrintLabyrinthReportWithComparison(PrinterSurface& surface, ReportServices services,
                                        const ReportCase& report_case, const LabyData& laby_data,
                                        const UnitChoice& units,
                                        const MethodComparison& comparison);

// Axis ticks for the values lo..hi: a step of 1, 2 or 5 times a power of ten giving about
// `count` intervals, and the axis ends on whole steps around the values.
struct AxisTicks {
  double low = 0;
  double high = 0;
  double step = 0;
};
AxisTicks NiceTicks(double lo, double hi, int count);

// The pressure axis of a tooth-by-tooth profile: the cavity and downstream pressures with a
// little room at both ends, so that neither lies on the frame.
AxisTicks PressureAxis(const PressureProfile& profile);
// Every station is labelled up to 20 of them; beyond, a step of 1, 2 or 5 times a power of ten.
int StationStep(int stations);

}  // namespace torvane
