// A labyrinth seal of the Python module in SI units, and the labyrinth window's inputs it makes
// for one operating point in the English units the calculations run in.
#pragma once

#include <optional>

#include "dynamics/seal_dynamics.h"
#include "laby/labyrinth_calculation.h"

namespace torvane::python {

struct ModuleSeal {
  bool straight = false;                // stepped (interlocking) or straight (see-through)
  double diameter = 0;                  // m
  double spacing = 0;                   // m, tooth pitch
  double thickness = 0;                 // m, tooth tip width
  double teeth = 0;                     // the number of teeth
  double flow_coefficient = 0.67;       // the correlation's flow coefficient
  std::optional<double> tooth_height;   // m, the cavity depth, for the coefficients
  TeethOn teeth_on = TeethOn::kStator;  // straight seals only
};

// One operating point of a seal; the clearance is the point's, as it may vary.
struct OperatingPoint {
  double pressure_up = 0;     // Pa
  double pressure_down = 0;   // Pa
  double temperature_up = 0;  // K
  double clearance = 0;       // m, radial

  bool operator==(const OperatingPoint&) const = default;
};

// The labyrinth window's inputs of a point in in, psia and deg F.
LabyInputs EnglishInputs(const ModuleSeal& seal, const OperatingPoint& point);

}  // namespace torvane::python
