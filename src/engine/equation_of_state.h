// The Benedict-Webb-Rubin equation of state in English engineering units and the
// compressibility solver.
#pragma once

#include "engine/gas_mixture.h"

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

// Z at molar density rho (lbmol/ft3) for the temperature terms of one call.
class BwrIsotherm {
 public:
  BwrIsotherm(const GasMixture& mix, double t);
  double Z(double rho) const;
  double rt() const { return rt_; }

 private:
  double rt_, d1_, d2_, d5_, d6_, gamma_;
};

}  // namespace torvane
