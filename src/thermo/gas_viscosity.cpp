#include "thermo/gas_viscosity.h"

#include <cmath>
#include <span>
#include <string_view>

#include "engine/component_library.h"
#include "platform/errors.h"
#include "units/si_factors.h"

namespace torvane {
namespace {

constexpr double kPascalPerBar = 1e5;
constexpr double kPascalPerAtm = 101325;
constexpr double kUniversalGasConstant = 8314;  // J/(kmol K)
constexpr double kPascalSecondsPerMicropoise = 1e-7;
constexpr double kPascalSecondsPerCentipoise = 1e-3;

struct QuantumGas {
  std::string_view code;
  double q;
};
constexpr QuantumGas kQuantumGases[] = {{"H2", 0.76}, {"HE", 1.38}};

// The Jossi-Stiel-Thodos polynomial of the reduced density.
double JossiStielThodos(double rr) {
  return 0.1023 + rr * (0.023364 + rr * (0.058533 + rr * (-0.040758 + rr * 0.0093324)));
}

}  // namespace

ViscosityGas ViscosityGasOf(const GasMixture& mixture) {
  const std::span<const GasComponentSlot> slots = mixture.Components();
  ViscosityGas gas;
  gas.molar_mass = mixture.mix_mol_weight;
  gas.crit_temp = mixture.pseudo_crit_temp / kRankinePerKelvin;
  gas.crit_press = mixture.pseudo_crit_press * kPascalPerPsi;
  gas.acentric = mixture.mix_acentric;
  double total = 0;
  for (const GasComponentSlot& s : slots) total += s.fraction;
  if (!(total > 0) || !std::isfinite(total)) return gas;
  for (const QuantumGas& q : kQuantumGases) {
    const auto id = FindComponent(q.code);
    const PureComponent* c = id ? ComponentById(*id) : nullptr;
    if (c == nullptr) continue;
    double fraction = 0;
    for (const GasComponentSlot& s : slots) {
      if (s.id == *id) fraction += s.fraction;
    }
    if (fraction > 0) {
      gas.quantum.push_back(
          {fraction / total, q.q, c->crit_temp / kRankinePerKelvin, c->mol_weight});
    }
  }
  return gas;
}

double QuantumFactor(const ViscosityGas& gas, double temperature) {
  double factor = 1;
  for (const QuantumComponent& c : gas.quantum) {
    const double tr = CheckedDiv(temperature, c.crit_temp, "reduced temperature");
    const double d = tr - 12;
    const double sign = d > 0 ? 1.0 : (d < 0 ? -1.0 : 0.0);
    const double own =
        1.22 * std::pow(c.q, 0.15) * (1 + 0.00385 * std::pow(d * d, 1 / c.molar_mass) * sign);
    factor += c.fraction * (own - 1);
  }
  return Checked(factor, "quantum correction");
}

double DiluteGasViscosity(const ViscosityGas& gas, double temperature) {
  if (!(gas.molar_mass > 0 && gas.crit_temp > 0 && gas.crit_press > 0) ||
      !std::isfinite(gas.molar_mass * gas.crit_temp * gas.crit_press)) {
    throw CalculationError("the gas has no critical constants for its viscosity");
  }
  if (!(temperature > 0) || !std::isfinite(temperature)) {
    throw CalculationError("viscosity at a temperature not above 0 K");
  }
  const double tc = gas.crit_temp;
  const double pc_bar = gas.crit_press / kPascalPerBar;
  const double m = gas.molar_mass;
  const double xi = 0.176 * std::pow(tc / (m * m * m * pc_bar * pc_bar * pc_bar * pc_bar), 1.0 / 6);
  const double tr = temperature / tc;
  const double reduced = 0.807 * std::pow(tr, 0.618) - 0.357 * std::exp(-0.449 * tr) +
                         0.340 * std::exp(-4.058 * tr) + 0.018;
  const double micropoise = CheckedDiv(reduced * QuantumFactor(gas, temperature), xi, "viscosity");
  return Checked(micropoise * kPascalSecondsPerMicropoise, "viscosity");
}

double GasViscosity(const ViscosityGas& gas, double temperature, double density) {
  const double dilute = DiluteGasViscosity(gas, temperature);
  if (!(density >= 0) || !std::isfinite(density)) {
    throw CalculationError("viscosity at a negative density");
  }
  const double zc = 0.2905 - 0.085 * gas.acentric;
  const double rho_c = CheckedDiv(gas.crit_press * gas.molar_mass,
                                  zc * kUniversalGasConstant * gas.crit_temp, "critical density");
  if (!(rho_c > 0)) throw CalculationError("critical density not positive");
  const double rr = density / rho_c;
  const double zeta =
      std::pow(gas.crit_temp, 1.0 / 6) /
      (std::sqrt(gas.molar_mass) * std::pow(gas.crit_press / kPascalPerAtm, 2.0 / 3));
  const double p = JossiStielThodos(rr);
  const double p0 = JossiStielThodos(0);
  const double centipoise =
      CheckedDiv(p * p * p * p - p0 * p0 * p0 * p0, zeta, "dense-gas viscosity");
  const double mu = Checked(dilute + centipoise * kPascalSecondsPerCentipoise, "viscosity");
  if (!(mu > 0)) throw CalculationError("viscosity not positive");
  return mu;
}

}  // namespace torvane
