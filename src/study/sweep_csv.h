// The points of a sweep as CSV text: a header row with the varied inputs' names, then
// mass_flow,std_flow,inlet_flow,exhaust_flow, with the classical methods or the coefficients
// gamma,gamma_source (empty where no gamma is used), with the classical methods
// martin,vermes,tooth_by_tooth, with the rotordynamic coefficients
// kxx,kxy,cxx,cxy,effective_damping,whirl_frequency_ratio, then status,message,warnings, each
// name of a number with its unit in the user's units ("clearance (in)", "std_flow (Sm3/hr)",
// "kxx (lbf/in)"); one row a point, numbers in the shortest text that reads back to the same
// double (never a thousands separator), empty for a failed point, method or coefficient.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "study/sweep.h"
#include "units/csv_text.h"

namespace torvane {

// Between the warnings of one point, inside their one field.
inline constexpr std::string_view kWarningSeparator = " | ";

// The header row, with its line end; with_methods adds the methods' columns, with_dynamics the
// coefficients'. The number of teeth, the flow coefficient and the whirl frequency ratio have no
// unit.
std::string SweepCsvHeader(std::span<const SweepRange> ranges, const UnitChoice& units,
                           bool with_methods = false, bool with_dynamics = false);

// Appends the row of a point of a sweep of variable_count inputs, with its line end. A point
// that carries the methods' flows or the coefficients has their columns.
void AppendSweepCsvRow(const SweepPoint& point, size_t variable_count, std::string& out);

// The names of the coefficients a sweep adds per point, in their order.
inline constexpr std::array<const char*, 6> kSweepDynamicsColumns = {
    "kxx", "kxy", "cxx", "cxy", "effective_damping", "whirl_frequency_ratio"};
// Their values, in the user's units; nothing for a failed speed or an undefined figure.
std::array<std::optional<double>, 6> SweepDynamicsFigures(const SpeedAnswer& answer);

// The warnings of a point in one text, joined by kWarningSeparator.
std::string JoinedWarnings(const SweepPoint& point);

}  // namespace torvane
