// The Benedict-Webb-Rubin equation of state in English engineering units and the
// compressibility solver.
#pragma once

#include <cmath>

#include "engine/gas_mixture.h"
#include "platform/errors.h"

namespace torvane {

inline constexpr double kGasConstantEos = 10.7335;  // psia ft3 / (lbmol degR)
inline constexpr double kGasConstantVolume = 1545;  // ft lbf / (lbmol degR)
inline constexpr double kLowestTemperature = 200;   // degR
inline constexpr int kIterationLimit = 150;         // per solver phase
inline constexpr double kZTolerance = 0.001;        // on the change of Z

struct CompressibilitySolution {
  double z = 1.0;
  double temperature = 0;  // effective temperature after the 200 degR floor
  int phase = 1;           // 1 substitution, 2 stepping search
  int iterations = 0;      // passes of the phase that ended the search
  bool converged = true;
  // Phase 1 did not settle at a pressure at or below the pseudo-critical pressure: the caller
  // shows "Max 'Z' iterations, output data may not be reliable" (Z is 1.0).
  bool needs_message = false;
};

// Z of the mixture at pressure p (psia) and temperature t (degR, raised to 200 when below).
// An arithmetic fault raises CalculationError.
CompressibilitySolution SolveCompressibility(const GasMixture& mix, double p, double t);

// Z at molar density rho (lbmol/ft3) for the temperature terms of one call. Inline: the
// solver evaluates it a few times per solve, on every point of a study.
class BwrIsotherm {
 public:
  BwrIsotherm(const GasMixture& mix, double t) {
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

  double Z(double rho) const {
    const double rho2 = rho * rho;
    const double g = gamma_ * rho2;
    const double z =
        1 + d1_ * rho + d2_ * rho2 + d5_ * rho2 * rho2 * rho + d6_ * rho2 * (1 + g) * std::exp(-g);
    return Checked(z, "compressibility");
  }

  double rt() const { return rt_; }

 private:
  double rt_, d1_, d2_, d5_, d6_, gamma_;
};

}  // namespace torvane
