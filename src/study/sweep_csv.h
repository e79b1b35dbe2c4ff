// The points of a sweep as CSV text: a header row with the varied inputs' names, then
// mass_flow,std_flow,inlet_flow,exhaust_flow,status,message,warnings; one row a point, numbers
// in the shortest text that reads back to the same double, empty for a failed point.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "study/sweep.h"

namespace torvane {

// Between the warnings of one point, inside their one field.
inline constexpr std::string_view kWarningSeparator = " | ";

// The header row, with its line end.
std::string SweepCsvHeader(std::span<const SweepRange> ranges);

// Appends the row of a point of a sweep of variable_count inputs, with its line end.
void AppendSweepCsvRow(const SweepPoint& point, size_t variable_count, std::string& out);

// Appends the shortest text that reads back to the same double (never NaN or infinity here:
// the calculation path lets neither through).
void AppendShortest(double value, std::string& out);

// Appends a CSV field, quoted when it holds a comma, a quote or a line break.
void AppendCsvField(std::string_view text, std::string& out);

}  // namespace torvane
