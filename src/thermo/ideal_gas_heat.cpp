#include "thermo/ideal_gas_heat.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "engine/component_library.h"
#include "engine/equation_of_state.h"
#include "platform/errors.h"
#include "thermo/ideal_gas_cp_table.h"
#include "units/si_factors.h"

namespace torvane {
namespace {

const IdealGasCpRow* RowById(int id) {
  static const auto index = [] {
    std::array<const IdealGasCpRow*, kMaxComponentId + 1> rows{};
    for (const IdealGasCpRow& row : IdealGasCpRows()) {
      if (row.id >= 0 && row.id <= kMaxComponentId) rows[static_cast<size_t>(row.id)] = &row;
    }
    return rows;
  }();
  if (id < 0 || id > kMaxComponentId) return nullptr;
  return index[static_cast<size_t>(id)];
}

}  // namespace

double IdealGasHeat::CpOverR(double t) const {
  return Checked(a[0] + t * (a[1] + t * (a[2] + t * (a[3] + t * a[4]))), "ideal-gas cp");
}

double IdealGasHeat::EnthalpyOverR(double t) const {
  const auto integral = [this](double x) {
    return x * (a[0] + x * (a[1] / 2 + x * (a[2] / 3 + x * (a[3] / 4 + x * a[4] / 5))));
  };
  return Checked(integral(t) - integral(kReferenceTemperature), "ideal-gas enthalpy");
}

double IdealGasHeat::EntropyOverR(double t) const {
  if (!(t > 0)) throw CalculationError("ideal-gas entropy at a temperature not above 0 K");
  const auto polynomial = [this](double x) {
    return x * (a[1] + x * (a[2] / 2 + x * (a[3] / 3 + x * a[4] / 4)));
  };
  return Checked(a[0] * std::log(t / kReferenceTemperature) + polynomial(t) -
                     polynomial(kReferenceTemperature),
                 "ideal-gas entropy");
}

double IdealGasHeat::Gamma(double t) const {
  const double cp = CpOverR(t);
  return CheckedDiv(cp, cp - 1, "ideal-gas ratio of specific heats");
}

namespace {

// The mixed polynomial, and with mixing the ideal mixing entropy.
IdealGasHeat Mix(std::span<const GasComponentSlot> slots, bool mixing) {
  IdealGasHeat heat;
  for (const GasComponentSlot& slot : slots) {
    const IdealGasCpRow* row = RowById(slot.id);
    if (row == nullptr) {
      throw CalculationError("component id " + std::to_string(slot.id) +
                             " has no ideal-gas heat capacity");
    }
    const double x = slot.fraction;
    if (x < 0) throw CalculationError("mixing entropy of a negative mole fraction");
    for (size_t k = 0; k < heat.a.size(); ++k) heat.a[k] += x * row->a[k];
    if (mixing && x > 0) heat.mixing_entropy -= x * std::log(x);
  }
  for (double v : heat.a) Checked(v, "ideal-gas cp of the mixture");
  Checked(heat.mixing_entropy, "mixing entropy");
  return heat;
}

}  // namespace

IdealGasHeat MixIdealGasHeat(std::span<const GasComponentSlot> slots) { return Mix(slots, true); }

double IdealGasGamma(const GasMixture& mix, double t_rankine) {
  const double t = std::max(t_rankine, kLowestTemperature);
  return Mix(mix.Components(), false).Gamma(t / kRankinePerKelvin);
}

}  // namespace torvane
