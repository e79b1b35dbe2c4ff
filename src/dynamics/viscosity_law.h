// The three ways the cavity viscosity is found: from the gas (Lucas with the dense-gas
// correction, see gas_viscosity.h), Sutherland's law through two reference states, or a
// constant.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "thermo/gas_viscosity.h"

namespace torvane {

enum class ViscosityLawKind { kGas, kSutherland, kConstant };

// "gas", "sutherland", "constant".
const char* ViscosityLawKey(ViscosityLawKind kind);

struct ViscosityReference {
  double temperature = 0;  // K
  double viscosity = 0;    // Pa s
};

struct ViscosityLaw {
  ViscosityLawKind kind = ViscosityLawKind::kGas;
  ViscosityGas gas;                              // kGas
  std::array<ViscosityReference, 2> references;  // kSutherland
  double constant = 0;                           // kConstant, Pa s
};

// Sutherland's law mu(T) = b T^1.5 / (T + S) through two states (T_a, mu_a), (T_b, mu_b): with
// phi_k = T_k^1.5 / mu_k, b = (T_b - T_a) / (phi_b - phi_a) and S = b phi_a - T_a. Close
// states may give b and S both negative: such a fit is still a viscosity wherever its value is
// positive and finite.
struct SutherlandFit {
  double b = 0;  // Pa s / K^0.5
  double s = 0;  // K
};

// Why the law gives no viscosity at any temperature (a constant that is not positive, reference
// states that are not positive or share their temperature, a gas without critical constants),
// or nothing.
std::optional<std::string> ViscosityLawProblem(const ViscosityLaw& law);

// The fit of the law's two reference states; raises CalculationError where
// ViscosityLawProblem finds a problem.
SutherlandFit FitSutherland(const std::array<ViscosityReference, 2>& references);

// The viscosity (Pa s) at temperature t (K) and density rho (kg/m3), or nothing where the law
// gives no positive finite viscosity there.
std::optional<double> LawViscosity(const ViscosityLaw& law, double temperature, double density);

}  // namespace torvane
