// Mixture characterisation: molecular weight, acentric factor, pseudo-critical constants
// (Redlich-Kwong mixing) and the mixture Benedict-Webb-Rubin constants.
#pragma once

#include <array>
#include <span>

namespace torvane {

inline constexpr int kMaxComponents = 30;
inline constexpr int kGasSections = 3;

// One component slot of a gas analysis: the id found by LookUpComponent and the mole fraction.
struct GasComponentSlot {
  int id;
  double fraction;
};

struct GasMixture {
  double mix_mol_weight = 0;  // lb/lbmol
  double mix_acentric = 0;
  double pseudo_crit_temp = 0;   // degR
  double pseudo_crit_press = 0;  // psia
  // A0, B0, C0, a, b, c, alpha, gamma; C0 and c at full size.
  std::array<double, 8> mix_bwr{};
  // The slots the mixture was characterised from, fractions as given: what the caloric
  // properties mix their ideal-gas parts from.
  std::array<GasComponentSlot, kMaxComponents> components{};
  int component_count = 0;

  std::span<const GasComponentSlot> Components() const {
    return std::span(components).first(static_cast<size_t>(component_count));
  }
};

// Characterises a mixture from its slots (1..30, fractions used as given). An id that names no
// substance, more than 30 slots, or an arithmetic fault (all fractions zero, a negative base
// under a root, an overflow) raises CalculationError.
GasMixture CharacteriseGas(std::span<const GasComponentSlot> slots);

// The display format of a mixture molecular weight: "###0.0" above 99.99, "##0.00" above 9.99,
// "#0.000" otherwise.
const char* MolWeightFormat(double mix_mol_weight);

}  // namespace torvane
