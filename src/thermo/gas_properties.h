// Caloric properties of a characterised gas from the program's equation of state: the
// Benedict-Webb-Rubin residual part (the same equation that gives Z) plus the ideal-gas heat
// capacity of the components. cp, cv, their ratio, the isentropic exponent, the speed of sound,
// the Joule-Thomson coefficient, enthalpy and entropy (reference: the ideal gas at 298.15 K and
// 1 atm), at any pressure and temperature.
//
// The density is the exact root of the equation of state on the branch the program's Z solver
// finds: Newton from the solver's Z, which is only good to its tolerance of 0.001. Where the
// solver falls back to Z = 1, the properties are those of the ideal gas and say so. The
// equation of state's own gas constant, 10.7335 psia ft3/(lbmol degR), is used inside its
// dimensionless groups only (so that Z is exactly the program's Z function); every dimensional
// result uses the molar gas constant 8.314462618 J/(mol K).
#pragma once

#include "engine/gas_mixture.h"
#include "thermo/bwr_residual.h"
#include "thermo/ideal_gas_heat.h"
#include "units/si_factors.h"

namespace torvane {

// The caloric model of one characterised gas: its mixture and its ideal-gas part.
class CaloricGas {
 public:
  explicit CaloricGas(const GasMixture& mix) : CaloricGas(mix, MixIdealGasHeat(mix)) {}
  CaloricGas(const GasMixture& mix, const IdealGasHeat& ideal) : mix_(mix), ideal_(ideal) {}

  const GasMixture& mixture() const { return mix_; }
  const IdealGasHeat& ideal() const { return ideal_; }
  double molar_mass() const { return mix_.mix_mol_weight / 1000; }  // kg/mol

 private:
  GasMixture mix_;
  IdealGasHeat ideal_;
};

// Every property of one state, in SI units (molar unless said otherwise).
struct GasProperties {
  double pressure = 0;              // Pa
  double temperature = 0;           // K, after the 200 degR floor of the equation of state
  bool temperature_raised = false;  // the temperature asked for was below 200 degR
  double z = 1;                     // p / (rho R T) of the exact density root
  double z_solver = 1;              // Z of the program's Z solver
  // The Z solver did not settle and fell back to Z = 1: every residual term is zero.
  bool ideal_fallback = false;
  // The Z solver asks for its message "Max 'Z' iterations, output data may not be reliable".
  bool needs_message = false;
  double molar_mass = 0;         // kg/mol
  double molar_density = 0;      // mol/m3
  double density = 0;            // kg/m3
  double cp = 0;                 // J/(mol K)
  double cv = 0;                 // J/(mol K)
  double gamma = 0;              // cp/cv
  double kappa = 0;              // isentropic exponent (rho/p) (dp/drho)_s
  double speed_of_sound = 0;     // m/s
  double joule_thomson = 0;      // K/Pa
  double enthalpy = 0;           // J/mol
  double entropy = 0;            // J/(mol K)
  double enthalpy_residual = 0;  // h_res, J/mol
  double entropy_residual = 0;   // s_res(T, p), J/(mol K)
  double drho_dp_t = 0;          // (d rho/dp)_T, kg/(m3 Pa)
  // The equation of state's groups at the state, and its molar density in its own units.
  ResidualGroups residual;
  double bwr_density = 0;  // lbmol/ft3

  double cp_mass() const { return cp / molar_mass; }              // J/(kg K)
  double cv_mass() const { return cv / molar_mass; }              // J/(kg K)
  double enthalpy_mass() const { return enthalpy / molar_mass; }  // J/kg
  double entropy_mass() const { return entropy / molar_mass; }    // J/(kg K)
  double specific_volume() const { return 1 / density; }          // m3/kg
};

// The properties at p (psia) and t (degR; raised to 200 degR when below, as the Z solver
// does). A pressure that is not positive, or any arithmetic fault (a density root where the
// gas is not stable, an overflow), raises CalculationError.
GasProperties PropertiesAt(const CaloricGas& gas, double p, double t);

// The same in SI units: p in Pa, t in K.
inline GasProperties PropertiesAtSi(const CaloricGas& gas, double p, double t) {
  return PropertiesAt(gas, p / kPascalPerPsi, t * kRankinePerKelvin);
}

// The state at p (psia) with the enthalpy of from: where a gas throttled from that state without
// exchanging heat or work settles (Newton on the temperature with cp). Raises CalculationError
// where no state of that enthalpy is found at or above 200 degR.
GasProperties ThrottledState(const CaloricGas& gas, const GasProperties& from, double p);

// The properties at t (degR, used as given) and the equation of state's molar density rho
// (lbmol/ft3): the pressure follows from the equation. With ideal, every residual term is zero
// and rho is p / (R T). The Z solver takes no part (z_solver is Z).
GasProperties PropertiesAtDensity(const CaloricGas& gas, double t, double rho, bool ideal = false);

}  // namespace torvane
