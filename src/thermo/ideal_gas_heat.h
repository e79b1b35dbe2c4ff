// The ideal-gas part of a gas's caloric properties: its heat capacity polynomial mixed by mole
// fraction from the component rows, with the enthalpy and entropy that follow from it.
#pragma once

#include <array>
#include <span>

#include "engine/gas_mixture.h"

namespace torvane {

inline constexpr double kMolarGasConstant = 8.314462618;  // J/(mol K)
// The reference state of enthalpy and entropy: the ideal gas at 298.15 K and 1 atm, where every
// pure component has h = 0 and s = 0.
inline constexpr double kReferenceTemperature = 298.15;  // K
inline constexpr double kReferencePressure = 101325;     // Pa

// cp0/R = a0 + a1 T + a2 T^2 + a3 T^3 + a4 T^4 (T in K) of a mixture, with its ideal mixing
// entropy.
struct IdealGasHeat {
  std::array<double, 5> a{};
  double mixing_entropy = 0;  // -sum x ln x, over R

  // cp0/R at t (K).
  double CpOverR(double t) const;
  // (h0(t) - h0(298.15 K)) / R, in K.
  double EnthalpyOverR(double t) const;
  // (s0(t, p0) - s0(298.15 K, p0)) / R.
  double EntropyOverR(double t) const;
  // cp0/cv0 at t (K): the ratio of specific heats of the ideal gas.
  double Gamma(double t) const;
};

// The ideal-gas part of a mixture of component slots, fractions as given (not normalised). A
// slot whose id has no row, or a negative fraction, raises CalculationError.
IdealGasHeat MixIdealGasHeat(std::span<const GasComponentSlot> slots);

// The ideal-gas part of a characterised mixture, from the slots it was characterised from.
inline IdealGasHeat MixIdealGasHeat(const GasMixture& mix) {
  return MixIdealGasHeat(mix.Components());
}

// cp0/cv0 of a characterised gas at t (degR, raised to 200 degR as the equation of state does):
// the gas's own ratio of specific heats for the ideal-gas methods.
double IdealGasGamma(const GasMixture& mix, double t_rankine);

}  // namespace torvane
