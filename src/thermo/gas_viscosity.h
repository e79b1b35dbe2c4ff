// The dynamic viscosity of a characterised gas at any temperature and density: Lucas'
// corresponding-states law for the dilute gas, with his quantum correction for hydrogen and
// helium, plus the Jossi-Stiel-Thodos dense-gas correction in the form Lohrenz, Bray and Clark
// use it.
//
// Mixtures are taken as one pseudo-pure gas on the constants the gas characterisation gives:
// its molar mass, its pseudo-critical temperature and pressure (Redlich-Kwong mixing) and its
// acentric factor. The quantum correction is the mole-fraction mean of the components' own
// factors (each on its own critical temperature and molar mass), 1 for every component other
// than hydrogen and helium. No polar correction is made: water, ammonia and alcohols are less
// well served than the hydrocarbons and permanent gases.
#pragma once

#include <vector>

#include "engine/gas_mixture.h"

namespace torvane {

// Hydrogen or helium in a gas, for Lucas' quantum correction.
struct QuantumComponent {
  double fraction = 0;    // mole fraction in the gas
  double q = 0;           // Lucas' Q: 0.76 for hydrogen, 1.38 for helium
  double crit_temp = 0;   // the component's own critical temperature, K
  double molar_mass = 0;  // the component's own molar mass, kg/kmol
};

// The constants the viscosity of a gas is computed from.
struct ViscosityGas {
  double molar_mass = 0;  // kg/kmol (g/mol)
  double crit_temp = 0;   // pseudo-critical temperature, K
  double crit_press = 0;  // pseudo-critical pressure, Pa
  double acentric = 0;
  std::vector<QuantumComponent> quantum;
};

// The constants of a characterised mixture (internal units: lb/lbmol, degR, psia), its hydrogen
// and helium from the component slots it was characterised from, their fractions taken relative
// to the slots' sum.
ViscosityGas ViscosityGasOf(const GasMixture& mixture);

// Lucas' quantum correction F_Q of a mixture at temperature t (K): 1 without hydrogen and helium.
double QuantumFactor(const ViscosityGas& gas, double temperature);

// The viscosity of the dilute gas at temperature t (K), Pa s. Raises CalculationError when the
// gas has no critical constants or the temperature is not above 0 K.
double DiluteGasViscosity(const ViscosityGas& gas, double temperature);

// The viscosity at temperature t (K) and density rho (kg/m3), Pa s: the dilute gas plus the
// dense-gas correction [P(rr)^4 - P(0)^4] / zeta on the reduced density rr = rho / rho_c, with
// rho_c = Pc M / (Zc Ru Tc) and Zc = 0.2905 - 0.085 omega. Subtracting P(0)^4 (the published
// form subtracts 1e-4) makes the correction vanish at zero density. Raises CalculationError
// as DiluteGasViscosity does, and for a negative density or a result that is not a positive
// finite number.
double GasViscosity(const ViscosityGas& gas, double temperature, double density);

}  // namespace torvane
