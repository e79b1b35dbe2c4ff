#include "engine/gas_mixture.h"

#include <cmath>
#include <string>

#include "engine/component_library.h"
#include "platform/errors.h"

namespace torvane {
namespace {

// Mixing exponents of A0, B0, C0, a, b, c, alpha, gamma.
constexpr int kMixingExponent[8] = {2, 1, 2, 3, 3, 3, 3, 2};

double Root(double magnitude, int r) {
  switch (r) {
    case 1:
      return magnitude;
    case 2:
      return std::sqrt(magnitude);
    default:
      return std::cbrt(magnitude);
  }
}

}  // namespace

GasMixture CharacteriseGas(std::span<const GasComponentSlot> slots) {
  if (slots.size() > static_cast<size_t>(kMaxComponents)) {
    throw CalculationError("a gas has at most 30 components");
  }
  GasMixture mix;
  double sa = 0, sb = 0;
  std::array<double, 8> s{};
  for (const auto& slot : slots) {
    const PureComponent* c = ComponentById(slot.id);
    if (c == nullptr) {
      throw CalculationError("component id " + std::to_string(slot.id) + " is not in the library");
    }
    const double x = slot.fraction;
    mix.components[static_cast<size_t>(mix.component_count++)] = slot;
    mix.mix_mol_weight += x * c->mol_weight;
    mix.mix_acentric += x * c->acentric;

    const double ai = 0.4278 * std::pow(c->crit_temp, 2.5) / c->crit_press;
    const double bi = 0.0867 * c->crit_temp / c->crit_press;
    sa += x * std::sqrt(ai);
    sb += x * bi;

    for (int k = 0; k < 8; ++k) {
      double p = c->bwr[static_cast<size_t>(k)];
      if (k == 2 || k == 5) p *= 1e6;
      const double sign = p < 0 ? -1.0 : 1.0;
      s[static_cast<size_t>(k)] += x * sign * Root(std::fabs(p), kMixingExponent[k]);
    }
  }
  Checked(mix.mix_mol_weight, "mixture molecular weight");
  Checked(mix.mix_acentric, "mixture acentric factor");

  const double a_mix = Checked(sa * sa / 0.4278, "pseudo-critical mixing");
  const double b_mix = Checked(sb / 0.0867, "pseudo-critical mixing");
  mix.pseudo_crit_temp =
      Checked(std::pow(CheckedDiv(a_mix, b_mix, "pseudo-critical temperature"), 2.0 / 3.0),
              "pseudo-critical temperature");
  const double b5 = Checked(std::pow(b_mix, 5), "pseudo-critical pressure");
  const double cube = CheckedDiv(a_mix * a_mix, b5, "pseudo-critical pressure");
  if (cube < 0) throw CalculationError("root of a negative number in pseudo-critical pressure");
  mix.pseudo_crit_press = Checked(std::cbrt(cube), "pseudo-critical pressure");

  auto& m = mix.mix_bwr;
  m[1] = s[1];
  for (size_t k : {0u, 2u, 7u}) m[k] = std::fabs(s[k]) * s[k];  // square, sign of the sum
  for (size_t k : {3u, 4u, 5u, 6u}) m[k] = s[k] * s[k] * s[k];
  for (double v : m) Checked(v, "mixture equation-of-state constants");
  return mix;
}

const char* MolWeightFormat(double mix_mol_weight) {
  if (mix_mol_weight > 99.99) return "###0.0";
  if (mix_mol_weight > 9.99) return "##0.00";
  return "#0.000";
}

}  // namespace torvane
