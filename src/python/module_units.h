// The units the Python module works the program's calculations in. The module speaks SI; the
// calculations run in the English unit choice of `torvane-cli --units english` (in, psia,
// deg F, lb/min, ft3/min), which SI reaches by exact factors, so the module's numbers are the
// calculator's to the round-off of those factors.
#pragma once

#include "units/si_factors.h"
#include "units/unit_choice.h"

namespace torvane::python {

// The English unit choice.
UnitChoice EnglishUnits();

inline double InchesOf(double metres) { return metres / kMetresPerInch; }
inline double PsiaOf(double pascals) { return pascals / kPascalPerPsi; }
inline double RankineOf(double kelvin) { return kelvin * kRankinePerKelvin; }
inline double FahrenheitOf(double kelvin) { return kelvin * kRankinePerKelvin - 459.67; }
inline double KelvinOf(double rankine) { return rankine / kRankinePerKelvin; }

// lb/min in kg/s, ft3/min in m3/s.
inline double KilogramsPerSecondOf(double pounds_per_minute) {
  return pounds_per_minute * kKilogramsPerPound / 60;
}
inline double CubicMetresPerSecondOf(double cubic_feet_per_minute) {
  return cubic_feet_per_minute * (kMetresPerFoot * kMetresPerFoot * kMetresPerFoot) / 60;
}

}  // namespace torvane::python
