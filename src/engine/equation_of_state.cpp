#include "engine/equation_of_state.h"

#include <cmath>

#include "platform/errors.h"

namespace torvane {

CompressibilitySolution SolveCompressibility(const GasMixture& mix, double p, double t) {
  CompressibilitySolution out;
  if (t < kLowestTemperature) t = kLowestTemperature;
  out.temperature = t;
  const BwrIsotherm eos(mix, t);

  // Phase 1: successive substitution.
  double z = 1.0;
  for (int i = 1; i <= kIterationLimit; ++i) {
    const double rho = CheckedDiv(p, eos.rt() * z, "compressibility");
    const double z_new = eos.Z(rho);
    if (std::fabs(z_new - z) < kZTolerance) {
      out.z = z_new;
      out.iterations = i;
      return out;
    }
    z = z_new;
  }

  out.converged = false;
  out.z = 1.0;
  out.iterations = kIterationLimit;
  if (!(p > mix.pseudo_crit_press)) {
    out.needs_message = true;
    return out;
  }

  // Phase 2: stepping search on Z, the step shrinking at each reversal of direction.
  out.phase = 2;
  enum class Direction { kNone, kPlus, kMinus } direction = Direction::kNone;
  int reversals = 0;
  double step = 0;
  z = 1.0;
  for (int i = 1; i <= kIterationLimit; ++i) {
    const double rho = CheckedDiv(p, eos.rt() * z, "compressibility");
    const double z_calc = eos.Z(rho);
    const double d = z_calc - z;
    if (std::fabs(d) < kZTolerance) {
      out.z = z_calc;
      out.iterations = i;
      out.converged = true;
      return out;
    }
    if ((direction == Direction::kPlus && d < 0) || (direction == Direction::kMinus && d > 0)) {
      ++reversals;
    }
    if (d < 0) direction = Direction::kMinus;
    if (d > 0) direction = Direction::kPlus;
    if (reversals <= 3) {
      static constexpr double kStep[] = {0.1, 0.01, 0.001, 0.0001};
      step = d < 0 ? -kStep[reversals] : kStep[reversals];
    }
    z += step;
  }
  out.z = 1.0;
  out.iterations = kIterationLimit;
  return out;
}

}  // namespace torvane
