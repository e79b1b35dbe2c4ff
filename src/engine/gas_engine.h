// The gas property engine of the process: one characterised mixture per gas section, the
// current gas, and the property operations that work on it.
#pragma once

#include <array>
#include <span>

#include "engine/equation_of_state.h"
#include "engine/gas_mixture.h"

namespace torvane {

class MessageService;

inline constexpr const char kMaxZIterationsMessage[] =
    "Max 'Z' iterations, output data may not be reliable";

struct SpecificVolumeResult {
  double z;
  double specific_volume;  // ft3/lb
};

class GasEngine {
 public:
  explicit GasEngine(MessageService& messages) : messages_(&messages) {}
  // The mixtures and current gas of source, speaking through other messages (a study records
  // its points' messages instead of showing them).
  GasEngine(const GasEngine& source, MessageService& messages)
      : messages_(&messages), mixtures_(source.mixtures_), current_gas_(source.current_gas_) {}

  // Characterises section g (0..2) and replaces its mixture whole; the other sections are
  // untouched. A section outside 0..2 or more than 30 slots is rejected with
  // std::out_of_range before anything is computed; arithmetic faults raise CalculationError.
  void CharacteriseGas(int section, std::span<const GasComponentSlot> slots);
  // Replaces the mixture of section g (0..2) with the empty one (every value 0), after its
  // characterisation failed, so that no property of an earlier gas is computed for it.
  void ForgetMixture(int section);

  int current_gas() const { return current_gas_; }
  // Selects the section (0..2) every property operation works on.
  void SetCurrentGas(int section);

  const GasMixture& Mixture(int section) const;
  const GasMixture& CurrentMixture() const { return mixtures_[static_cast<size_t>(current_gas_)]; }

  // Z at p (psia) and t (degR). t below 200 degR is raised to 200 and the caller's t holds 200
  // afterwards. Shows the iteration-limit message when phase 1 fails at or below the
  // pseudo-critical pressure.
  double Compressibility(double p, double& t);
  // Z and the specific volume v = Z * 1545 * T / MW / 144 / P (ft3/lb).
  SpecificVolumeResult SpecificVolume(double p, double& t);
  // The saturation (dew) temperature estimate at p (psia), in degR.
  double SaturationTemp(double p) const;

  MessageService& messages() const { return *messages_; }

 private:
  MessageService* messages_;
  std::array<GasMixture, kGasSections> mixtures_{};
  int current_gas_ = 0;
};

// Edmister's vapour-pressure relation with the pseudo-critical constants of a mixture.
double SaturationTemp(const GasMixture& mix, double p);

}  // namespace torvane
