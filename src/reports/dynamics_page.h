// The rotordynamics page of the labyrinth report: the inputs beyond the labyrinth's, the
// coefficients and stability figures of the speeds in a table, and the effective damping (with
// the zero line) and the whirl frequency ratio (with WFR = 1) plotted against the rotor speed.
// It follows the labyrinth report's first page, which is printed exactly as without it.
#pragma once

#include <cstddef>
#include <vector>

#include "dynamics/dynamics_form.h"
#include "reports/labyrinth_report.h"

namespace torvane {

inline constexpr const char kDynamicsPageTitle[] = "Rotordynamic Coefficients";
// The most speeds the page's table lists.
inline constexpr size_t kDynamicsPageRows = 15;

// The speeds (indices) the page's table lists: every one up to kDynamicsPageRows, else that
// many spread evenly from the first to the last.
std::vector<size_t> DynamicsPageRows(size_t speeds);

// Starts a new page and prints the coefficients on it. Throws PrinterError on any failure.
void PrintDynamicsPage(PrinterSurface& surface, ReportServices services,
                       const DynamicsResults& results);

// The labyrinth report's first page exactly as PrintLabyrinthReport prints it, then the
// rotordynamics page; ends the document.
void PrintLabyrinthReportWithDynamics(PrinterSurface& surface, ReportServices services,
                                      const ReportCase& report_case, const LabyData& laby_data,
                                      const UnitChoice& units, const DynamicsResults& results);

}  // namespace torvane
