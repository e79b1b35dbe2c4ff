#include "engine/equation_of_state.h"

#include <cmath>

#include "platform/errors.h"

namespace torvane {

BwrIsotherm::BwrIsotherm(const GasMixture& mix, double t) {
  const auto& k = mix.mix_bwr;  // A0, B0, C0, a, b, c, alpha, gamma
  rt_ = Checked(kGasConstantEos * t, "equation of state");
  const double rt_t2 = Checked(rt_ * t * t, "equation of state");
  d1_ = Checked(k[1] - CheckedDiv(k[0], rt_, "equation of state") -
                    CheckedDiv(k[2], rt_t2, "equation of state"),
                "equation of state");
  d2_ = Checked(k[4] - CheckedDiv(k[3], rt_, "equation of state"), "equation of state");
  d5_ = CheckedDiv(k[3] * k[6], rt_, "equation of state");
  d6_ = CheckedDiv(k[5], rt_t2, "equation of state");
  gamma_ = k[7];
}

double BwrIsotherm::Z(double rho) const {
  const double rho2 = rho * rho;
  const double g = gamma_ * rho2;
  const double z =
      1 + d1_ * rho + d2_ * rho2 + d5_ * rho2 * rho2 * rho + d6_ * rho2 * (1 + g) * std::exp(-g);
  return Checked(z, "compressibility");
}

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
