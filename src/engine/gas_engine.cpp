#include "engine/gas_engine.h"

#include <cmath>
#include <stdexcept>

#include "platform/errors.h"
#include "platform/message_service.h"

namespace torvane {

void GasEngine::CharacteriseGas(int section, std::span<const GasComponentSlot> slots) {
  if (section < 0 || section >= kGasSections) throw std::out_of_range("gas section outside 0..2");
  if (slots.size() > static_cast<size_t>(kMaxComponents)) {
    throw std::out_of_range("a gas has at most 30 components");
  }
  mixtures_[static_cast<size_t>(section)] = torvane::CharacteriseGas(slots);
}

void GasEngine::ForgetMixture(int section) {
  if (section < 0 || section >= kGasSections) throw std::out_of_range("gas section outside 0..2");
  mixtures_[static_cast<size_t>(section)] = GasMixture{};
}

void GasEngine::SetCurrentGas(int section) {
  if (section < 0 || section >= kGasSections) throw std::out_of_range("gas section outside 0..2");
  current_gas_ = section;
}

const GasMixture& GasEngine::Mixture(int section) const {
  if (section < 0 || section >= kGasSections) throw std::out_of_range("gas section outside 0..2");
  return mixtures_[static_cast<size_t>(section)];
}

double GasEngine::Compressibility(double p, double& t) {
  const CompressibilitySolution s = SolveCompressibility(CurrentMixture(), p, t);
  t = s.temperature;
  if (s.needs_message) messages_->Show(kMaxZIterationsMessage);
  return s.z;
}

SpecificVolumeResult GasEngine::SpecificVolume(double p, double& t) {
  // Compressibility(p, t), without a second call on the way.
  const CompressibilitySolution s = SolveCompressibility(CurrentMixture(), p, t);
  t = s.temperature;
  if (s.needs_message) [[unlikely]] {
    messages_->Show(kMaxZIterationsMessage);
  }
  const double z = s.z;
  double v = Checked(z * kGasConstantVolume * t, "specific volume");
  v = CheckedDiv(v, CurrentMixture().mix_mol_weight, "specific volume");
  v = CheckedDiv(v, 144, "specific volume");
  v = CheckedDiv(v, p, "specific volume");
  return {z, v};
}

double GasEngine::SaturationTemp(double p) const {
  return torvane::SaturationTemp(CurrentMixture(), p);
}

double SaturationTemp(const GasMixture& mix, double p) {
  const double tc = mix.pseudo_crit_temp;
  const double pc = mix.pseudo_crit_press;
  if (p >= pc) return tc;
  const double ratio = CheckedDiv(p, pc, "saturation temperature");
  if (!(ratio > 0))
    throw CalculationError("logarithm of a non-positive number in saturation temperature");
  const double log10_ratio = std::log(ratio) / std::log(10.0);
  const double x =
      CheckedDiv(3 * log10_ratio, 7 * (1 + mix.mix_acentric), "saturation temperature");
  return CheckedDiv(tc, 1 - x, "saturation temperature");
}

}  // namespace torvane
