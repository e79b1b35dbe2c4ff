// The worked example of the leakage methods, shared by their tests and benchmarks: an
// interlocking seal of 16 teeth on a 145 mm shaft, air at 308 kPa and 283.15 K leaking to
// 94.3 kPa.
#pragma once

#include "methods/leakage_methods.h"

namespace torvane::testing {

inline constexpr double kAirMolarMass = 28.96807;

inline SealCase WorkedExampleSeal(SealKind kind = SealKind::kInterlocking) {
  SealCase s;
  s.kind = kind;
  s.seal_diameter = 0.145;
  s.clearance = 0.0003;
  s.pitch = 0.003175;
  s.tooth_thickness = 0.0001524;
  s.teeth = 16;
  s.pressure_up = 308000;
  s.pressure_down = 94300;
  s.temperature_up = 283.15;
  s.molar_mass = kAirMolarMass;
  s.gamma = 1.41;
  return s;
}

}  // namespace torvane::testing
