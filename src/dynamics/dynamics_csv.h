// The speeds of the rotordynamic coefficients as CSV text, as the calculator's `dynamics --csv`
// and the rotordynamics window's export write them: a header with each number's unit, then one
// row a speed, numbers in the shortest text that reads back to the same double, empty where a
// speed failed or a figure is not defined.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "dynamics/dynamics_calculation.h"

namespace torvane {

// The scalar fields of a speed after its speed, whirl frequency, status and message, in the
// order of the answer: kxx .. cyy, effective_stiffness, effective_damping,
// whirl_frequency_ratio; nothing where a speed failed.
std::vector<std::pair<const char*, std::optional<double>>> DynamicsScalars(const SpeedAnswer& a);

// "speed (rpm),whirl_frequency (rpm),status,message,kxx (N/m),..." with its line end.
std::string DynamicsCsvHeader(const UnitChoice& units);

// Appends the row of a speed, with its line end.
void AppendDynamicsCsvRow(const SpeedAnswer& answer, std::string& out);

}  // namespace torvane
