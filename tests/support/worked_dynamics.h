// The worked example of the rotordynamic coefficients, shared by their tests and benchmark: the
// 16-tooth interlocking seal of the leakage methods with 3.175 mm teeth, air swirling in at 0.98
// of the rotor surface speed, and Sutherland's law through two reference states.
#pragma once

#include "dynamics/seal_dynamics.h"
#include "support/worked_seal.h"

namespace torvane::testing {

inline constexpr double kWorkedSpeed = 8000;  // rpm

inline DynamicsCase WorkedExampleDynamics() {
  DynamicsCase c;
  c.seal = WorkedExampleSeal();
  c.tooth_height = 0.003175;
  c.preswirl = 0.98;
  c.viscosity.kind = ViscosityLawKind::kSutherland;
  c.viscosity.references = {
      {{283.15, 1.7746561138374613e-5}, {282.60903080958565, 1.7687886306966975e-5}}};
  return c;
}

}  // namespace torvane::testing
