#include "thermo/bwr_residual.h"

#include <cmath>

#include "engine/equation_of_state.h"
#include "platform/errors.h"

namespace torvane {

ResidualGroups BwrResidual(const GasMixture& mix, double t, double rho) {
  const auto& k = mix.mix_bwr;  // A0, B0, C0, a, b, c, alpha, gamma
  const double a0 = k[0], b0 = k[1], c0 = k[2], a = k[3], b = k[4], c = k[5], al = k[6], ga = k[7];
  const double r = kGasConstantEos;
  const double rt = r * t;
  const double t2 = t * t;
  const double rt3 = rt * t2;  // R T^3
  const double rho2 = rho * rho;
  const double rho5 = rho2 * rho2 * rho;
  const double u = ga * rho2;
  const double e = std::exp(-u);
  // G = integral of r (1 + gamma r^2) exp(-gamma r^2) dr from 0 to rho, rho^2/2 as gamma -> 0.
  const double g = ga != 0 ? (-std::expm1(-u) - 0.5 * u * e) / ga : 0.5 * rho2;

  const double d1 = b0 - a0 / rt - c0 / rt3;
  const double d2 = b - a / rt;
  const double d5 = a * al / rt;
  const double d6 = c / rt3;

  ResidualGroups out;
  out.z = 1 + d1 * rho + d2 * rho2 + d5 * rho5 + d6 * rho2 * (1 + u) * e;
  out.alpha =
      ((b0 * rt - a0 - c0 / t2) * rho + (b * rt - a) * rho2 / 2 + a * al * rho5 / 5 + c * g / t2) /
      rt;
  out.energy = ((-a0 - 3 * c0 / t2) * rho - a * rho2 / 2 + a * al * rho5 / 5 + 3 * c * g / t2) / rt;
  out.enthalpy = out.energy + out.z - 1;
  out.entropy = out.energy - out.alpha;
  out.cv = (6 * c0 * rho - 6 * c * g) / rt3;
  out.x_t = 1 + (b0 + 2 * c0 / rt3) * rho + b * rho2 - 2 * c * rho2 * (1 + u) * e / rt3;
  out.x_rho = 1 + 2 * d1 * rho + 3 * d2 * rho2 + 6 * d5 * rho5 +
              d6 * (3 * rho2 + 3 * u * rho2 - 2 * u * u * rho2) * e;
  for (double v : {out.z, out.alpha, out.energy, out.cv, out.x_t, out.x_rho}) {
    Checked(v, "residual properties");
  }
  return out;
}

}  // namespace torvane
