// The points of a sweep as CSV text: a header row with the varied inputs' names, then
// mass_flow,std_flow,inlet_flow,exhaust_flow, with the classical methods
// martin,vermes,tooth_by_tooth, then status,message,warnings, each name of a number with its unit
// in the user's units ("clearance (in)", "std_flow (Sm3/hr)"); one row a point, numbers in the
// shortest text that reads back to the same double (never a thousands separator), empty for a
// failed point or method.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "study/sweep.h"
#include "units/csv_text.h"

namespace torvane {

// Between the warnings of one point, inside their one field.
inline constexpr std::string_view kWarningSeparator = " | ";

// The header row, with its line end; with_methods adds the methods' columns. The number of teeth
// and the flow coefficient have no unit.
std::string SweepCsvHeader(std::span<const SweepRange> ranges, const UnitChoice& units,
                           bool with_methods = false);

// Appends the row of a point of a sweep of variable_count inputs, with its line end. A point
// that carries the methods' flows has their columns.
void AppendSweepCsvRow(const SweepPoint& point, size_t variable_count, std::string& out);

// Appends the shortest text that reads back to the same double (never NaN or infinity here:
// the calculation path lets neither through).
void AppendShortest(double value, std::string& out);

// The warnings of a point in one text, joined by kWarningSeparator.
std::string JoinedWarnings(const SweepPoint& point);

}  // namespace torvane
