// The labyrinth report: the inputs and results of the last successful labyrinth calculation,
// after the summary and gas-analysis blocks of the report frame, with the footer picture below.
#pragma once

#include <string>

#include "laby/labyrinth_calculation.h"
#include "reports/report_frame.h"
#include "units/unit_choice.h"

namespace torvane {

inline constexpr const char kLabyrinthReportTitle[] = "Labyrinth Leakage Results";

// Rows end above this line or the footer picture starts below it at its smallest height.
inline constexpr double kFooterLimitY = 8.4;
inline constexpr double kFooterMinHeight = 2.11;

// The text printed as the labyrinth type: "Stepped (Interlocking)" for 0, "Straight" for 1,
// nothing for any other value.
std::string LabyrinthTypeText(double laby_type);

// Prints the whole report on surface and ends the document. Values are printed as stored in
// laby_data; the unit labels and the pressure format are those of units, the choice in force now.
// Throws PrinterError on any failure; the document is then left unfinished for the caller to
// abandon.
void PrintLabyrinthReport(PrinterSurface& surface, ReportServices services,
                          const ReportCase& report_case, const LabyData& laby_data,
                          const UnitChoice& units);

}  // namespace torvane
