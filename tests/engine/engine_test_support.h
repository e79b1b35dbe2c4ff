// Small helpers shared by the engine tests.
#pragma once

#include <vector>

#include "engine/gas_mixture.h"

namespace torvane::testing {

inline GasMixture Methane() {
  const GasComponentSlot slot{1, 1.0};
  return CharacteriseGas(std::vector<GasComponentSlot>{slot});
}

}  // namespace torvane::testing
