// The residual part of the Benedict-Webb-Rubin equation of state in closed form: the
// Helmholtz energy, internal energy, entropy, heat capacity and the two pressure derivatives of
// a mixture at a temperature and a molar density, as dimensionless groups. Engine units: T in
// degR, molar density in lbmol/ft3, and the equation of state's own gas constant 10.7335, so
// that Z is exactly the equation the program's Z solver iterates.
#pragma once

#include "engine/gas_mixture.h"

namespace torvane {

struct ResidualGroups {
  double z = 1;         // p / (rho R T)
  double alpha = 0;     // A_res / (R T)
  double energy = 0;    // u_res / (R T)
  double enthalpy = 0;  // h_res / (R T) = u_res / (R T) + Z - 1
  double entropy = 0;   // s_res(T, rho) / R = u_res / (R T) - A_res / (R T)
  double cv = 0;        // cv_res / R
  double x_t = 1;       // (dp/dT)_rho / (rho R)
  double x_rho = 1;     // (dp/drho)_T / (R T)
};

// The groups of mix at t (degR, used as given: no floor) and rho (lbmol/ft3). An arithmetic
// fault raises CalculationError.
ResidualGroups BwrResidual(const GasMixture& mix, double t, double rho);

}  // namespace torvane
