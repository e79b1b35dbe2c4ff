#include "thermo/gas_properties.h"

#include <cmath>

#include "engine/equation_of_state.h"
#include "platform/errors.h"

namespace torvane {
namespace {

constexpr int kPolishLimit = 100;

// The exact density root of the equation of state at p (psia) and t (degR), by Newton from the
// solver's Z: f(rho) = rho R T Z(rho) - p, f' = R T X_rho.
double PolishedDensity(const GasMixture& mix, double p, double t, double z_solver) {
  const double rt = kGasConstantEos * t;
  double rho = CheckedDiv(p, rt * z_solver, "density root");
  double step = 0;
  for (int i = 0; i < kPolishLimit; ++i) {
    const ResidualGroups g = BwrResidual(mix, t, rho);
    if (!(g.x_rho > 0)) throw CalculationError("density root where the gas is not stable");
    step = CheckedDiv(rho * rt * g.z - p, rt * g.x_rho, "density root");
    rho -= step;
    if (std::fabs(step) <= 1e-15 * rho) break;
  }
  if (!(rho > 0) || !(std::fabs(step) <= 1e-12 * rho)) {
    throw CalculationError("density root does not settle");
  }
  return rho;
}

GasProperties Properties(const CaloricGas& gas, double p, double t, double rho,
                         const ResidualGroups& res) {
  GasProperties out;
  const double t_k = t / kRankinePerKelvin;
  const double m = gas.molar_mass();
  if (!(m > 0)) throw CalculationError("properties of a gas without molar mass");
  const IdealGasHeat& ideal = gas.ideal();
  const double r = kMolarGasConstant;

  out.pressure = Checked(p * kPascalPerPsi, "pressure");
  out.temperature = t_k;
  out.z = CheckedDiv(p, rho * kGasConstantEos * t, "compressibility");
  out.z_solver = out.z;
  out.residual = res;
  out.bwr_density = rho;
  out.molar_mass = m;
  out.molar_density = CheckedDiv(out.pressure, out.z * r * t_k, "density");
  out.density = out.molar_density * m;

  const double cv0 = ideal.CpOverR(t_k) - 1;
  const double cv_over_r = cv0 + res.cv;
  if (!(cv_over_r > 0)) throw CalculationError("heat capacity not positive");
  if (!(res.x_rho > 0)) throw CalculationError("the gas is not stable at this state");
  out.cv = r * cv_over_r;
  out.cp = Checked(out.cv + r * res.x_t * res.x_t / res.x_rho, "heat capacity");
  out.gamma = out.cp / out.cv;
  out.kappa = CheckedDiv(out.gamma * res.x_rho, out.z, "isentropic exponent");
  out.speed_of_sound = Checked(std::sqrt(out.gamma * res.x_rho * r * t_k / m), "speed of sound");
  out.joule_thomson =
      CheckedDiv(res.x_t / res.x_rho - 1, out.molar_density * out.cp, "Joule-Thomson coefficient");
  out.enthalpy_residual = r * t_k * res.enthalpy;
  out.enthalpy = Checked(r * ideal.EnthalpyOverR(t_k) + out.enthalpy_residual, "enthalpy");
  const double s_res_p = res.entropy + std::log(out.z);
  out.entropy_residual = Checked(r * s_res_p, "entropy");
  out.entropy = Checked(r * (ideal.EntropyOverR(t_k) - std::log(out.pressure / kReferencePressure) +
                             ideal.mixing_entropy + s_res_p),
                        "entropy");
  out.drho_dp_t = CheckedDiv(m, r * t_k * res.x_rho, "density derivative");
  return out;
}

}  // namespace

GasProperties ThrottledState(const CaloricGas& gas, const GasProperties& from, double p) {
  double t = from.temperature * kRankinePerKelvin;
  for (int i = 0; i < kPolishLimit; ++i) {
    const GasProperties at = PropertiesAt(gas, p, t);
    if (at.temperature_raised) break;
    const double step = CheckedDiv(at.enthalpy - from.enthalpy, at.cp, "throttled state");
    t -= step * kRankinePerKelvin;
    if (std::fabs(step) <= 1e-12 * at.temperature) return at;
  }
  throw CalculationError("no state of the same enthalpy");
}

GasProperties PropertiesAtDensity(const CaloricGas& gas, double t, double rho, bool ideal) {
  if (!(t > 0) || !(rho > 0)) throw CalculationError("a state without temperature or density");
  const ResidualGroups res = ideal ? ResidualGroups{} : BwrResidual(gas.mixture(), t, rho);
  const double p = Checked(rho * kGasConstantEos * t * res.z, "pressure");
  return Properties(gas, p, t, rho, res);
}

GasProperties PropertiesAt(const CaloricGas& gas, double p, double t) {
  if (!(p > 0) || !std::isfinite(p)) throw CalculationError("properties at a pressure not above 0");
  const CompressibilitySolution solved = SolveCompressibility(gas.mixture(), p, t);
  const double effective = solved.temperature;
  const bool fallback = !solved.converged;
  const double rho = fallback ? CheckedDiv(p, kGasConstantEos * effective, "density")
                              : PolishedDensity(gas.mixture(), p, effective, solved.z);
  const ResidualGroups res =
      fallback ? ResidualGroups{} : BwrResidual(gas.mixture(), effective, rho);
  GasProperties out = Properties(gas, p, effective, rho, res);
  out.z_solver = solved.z;
  out.ideal_fallback = fallback;
  out.needs_message = solved.needs_message;
  out.temperature_raised = effective != t;
  return out;
}

}  // namespace torvane
