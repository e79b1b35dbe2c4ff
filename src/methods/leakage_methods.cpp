#include "methods/leakage_methods.h"

#include <cfloat>
#include <cmath>
#include <numbers>
#include <stdexcept>

#include "methods/tooth_by_tooth_solver.h"
#include "platform/errors.h"
#include "units/number_format.h"

namespace torvane {
namespace {

using namespace methods_detail;

constexpr double kUniversalGasConstant = 8314;  // J/(kmol K)
// Martin-Vermes: see-through seals leak 1.4 % more than the carry-over alone explains.
constexpr double kSeeThroughKappa = 1.014;

// sqrt(Z R T1), the upstream term of the one-shot methods.
double UpstreamRoot(const SealCase& s) {
  Require(Positive(s.z_up), "The compressibility factor Z must be positive");
  const double r = CheckedDiv(kUniversalGasConstant, s.molar_mass, "gas constant");
  return Checked(std::sqrt(s.z_up * r * s.temperature_up), "upstream state");
}

// Martin's formula times factor: factor 1 is method C; kappa alpha mu is method A.
MethodResult MartinTimes(const SealCase& s, double factor) {
  MethodResult r;
  const double beta = s.pressure_down / s.pressure_up;
  r.critical_ratio = ZimmermannWolffRatio(s.teeth);
  r.choked = beta < r.critical_ratio;
  const double phi = MartinFlowFunction(std::max(beta, r.critical_ratio), s.teeth);
  const double ideal_flux = Checked(phi * s.pressure_up * s.clearance / UpstreamRoot(s), "flux");
  const double perimeter = std::numbers::pi * (s.seal_diameter + s.clearance);
  const double ideal_flow = Checked(ideal_flux * perimeter, "leakage");
  r.mass_flow = Checked(factor * ideal_flow, "leakage");
  r.flux = Checked(factor * ideal_flux, "flux");
  r.status = MethodStatus::kOk;
  return r;
}

// The seal as a chain of throttles. With y = x^((gamma-1)/gamma) = T_i / T_(i-1) and
// eps = 1 - y, throttle i passes the flux G where
//   phi(eps) = k ln(1 - eps) + ln(a + eps) = ln q,  q = (G / (alpha c rho_(i-1)))^2 / (K T_(i-1)),
// k = 2/(gamma-1), K = 2 gamma R/(gamma-1), and a = nu w_(i-1)^2 / (K T_(i-1)) = nu q (0 for the
// first throttle, w_0 = 0). phi rises to its maximum at the critical
// eps* = ((gamma-1) - 2a)/(gamma+1), where x = x*; the root on the rising branch is the subsonic
// solution. At that root q of the next throttle is (a + eps)/(1 - eps): the chain needs no
// densities, and stations keep ln(p_i/P1) and ln(T_i/T1).
class ThrottleChain {
 public:
  ThrottleChain(const SealCase& s, double alpha, double nu)
      : teeth_(static_cast<int>(s.teeth)),
        gamma_(s.gamma),
        nu_(nu),
        last_(static_cast<size_t>(teeth_) + 1) {
    const double r = kUniversalGasConstant / s.molar_mass;
    k_ = 2 / (gamma_ - 1);
    g_over_gm1_ = gamma_ / (gamma_ - 1);
    const double eps0 = (gamma_ - 1) / (gamma_ + 1);
    phi0_star_ = k_ * std::log1p(-eps0) + std::log(eps0);
    // ln q of the first throttle is 2 ln G - ln_q_base_.
    const double rho1 = s.pressure_up / (r * s.temperature_up);
    ln_q_base_ = Checked(2 * std::log(alpha * s.clearance * rho1) +
                             std::log(2 * gamma_ * r / (gamma_ - 1) * s.temperature_up),
                         "throttle constant");
  }

  int teeth() const { return teeth_; }

  // The stations of a seal without flow: every one at the upstream state.
  void RecordAtRest() {
    ln_p_.assign(static_cast<size_t>(teeth_) + 1, 0.0);
    ln_t_.assign(ln_p_.size(), 0.0);
  }
  // The stations of the last recorded run.
  const std::vector<double>& ln_p() const { return ln_p_; }
  const std::vector<double>& ln_t() const { return ln_t_; }

  // F_1(x*_1): the flux of the first throttle when it chokes, the most any seal of these
  // throttles passes.
  double MaxFirstFlux() const {
    return Checked(std::exp(0.5 * (phi0_star_ + ln_q_base_)), "choked first throttle");
  }

  // Marches the flux g through the throttles. Without to_end the last throttle is only
  // checked, its root is not needed. Throttle `critical` (1..N) is set at its critical ratio
  // instead of its root. With record, ln_p() and ln_t() receive ln(p_i/P1) and ln(T_i/T1) of
  // stations 0..N. Each root search starts from the root of the run before, which the
  // bracketing keeps close.
  ChainEvaluation Run(double g, bool to_end, bool all_margins = false, int critical = 0,
                      bool record = false) {
    std::vector<double>* ln_p = record ? &ln_p_ : nullptr;
    std::vector<double>* ln_t = record ? &ln_t_ : nullptr;
    ChainEvaluation ev;
    double ln_q = 2 * std::log(g) - ln_q_base_;
    double q = std::exp(ln_q);
    double lp = 0, lt = 0;
    if (ln_p) ln_p->assign(1, 0.0);
    if (ln_t) ln_t->assign(1, 0.0);
    for (int i = 1; i <= teeth_; ++i) {
      const double a = i == 1 ? 0.0 : nu_ * q;
      const double eps_star = ((gamma_ - 1) - 2 * a) / (gamma_ + 1);
      // phi(eps*) >= phi0*, its value without carry-over: below it the throttle surely passes.
      if (all_margins || i == teeth_ || ln_q >= phi0_star_) {
        // With eps* <= 0 the throttle passes at most F(1) = sqrt(nu) G: never G.
        const double margin =
            eps_star > 0 ? 0.5 * (k_ * std::log1p(-eps_star) + std::log(a + eps_star) - ln_q)
                         : 0.5 * std::log(nu_);
        if (!ev.Take(i, margin, critical)) return ev;
      }
      if (i == teeth_ && !to_end) return ev;
      const Root root = i == critical
                            ? Root{eps_star, std::log1p(-eps_star), std::log(a + eps_star)}
                            : Solve(a, q, ln_q, eps_star, last_[static_cast<size_t>(i)]);
      last_[static_cast<size_t>(i)] = Previous{root.eps, a, ln_q};
      lt += root.ln_y;
      lp += root.ln_y * g_over_gm1_;
      if (ln_p) ln_p->push_back(lp);
      if (ln_t) ln_t->push_back(lt);
      q = (a + root.eps) / (1 - root.eps);
      ln_q = root.ln_a_eps - root.ln_y;
    }
    ev.ln_p_end = lp;
    return ev;
  }

 private:
  // The root of a throttle in the run before, with the a and ln q it solved.
  struct Previous {
    double eps = 0;
    double a = 0;
    double ln_q = 0;
  };

  // A root with ln(1 - eps) and ln(a + eps) at it.
  struct Root {
    double eps;
    double ln_y;
    double ln_a_eps;
  };

  // The root eps in (0, eps_star] of phi(eps) = ln q for a throttle that passes the flux:
  // Halley's method from the root of the run before moved by the change of a and ln q (or,
  // without one, from the linearised root), a bisection step whenever a step would leave the
  // bracket, and done once the predicted error of the step is far below round-off.
  Root Solve(double a, double q, double ln_q, double eps_star, const Previous& before) const {
    double lo = 0, hi = eps_star;
    // (1 - eps)^-k >= 1 + k eps puts the linearised root left of the root.
    double eps = q - a;
    if (!(eps > 0)) return Root{0, 0, std::log(a)};  // a flux too small to lower the pressure
    const double moved =
        before.eps + (ln_q - before.ln_q - (a - before.a) / (before.a + before.eps)) /
                         (1 / (before.a + before.eps) - k_ / (1 - before.eps));
    if (before.eps > 0 && moved > 0 && moved < hi) {
      eps = moved;
    } else if (k_ * q < 1) {
      const double first_order = (q - a) / (1 - k_ * q);
      if (first_order < eps_star) eps = first_order;
    }
    if (!(eps < hi)) eps = 0.5 * hi;
    for (int iteration = 0; iteration < 200; ++iteration) {
      const double u = 1 - eps, v = a + eps;
      const double ln_y = std::log1p(-eps), ln_v = std::log(v);
      const double f = k_ * ln_y + ln_v - ln_q;
      if (f == 0) return Root{eps, ln_y, ln_v};
      if (f < 0) {
        lo = eps;
      } else {
        hi = eps;
      }
      const double f1 = 1 / v - k_ / u;
      const double f2 = -k_ / (u * u) - 1 / (v * v);
      const double step = -2 * f * f1 / (2 * f1 * f1 - f * f2);
      const double next = eps + step;
      if (next > lo && next < hi) {
        const double f3 = 2 / (v * v * v) - 2 * k_ / (u * u * u);
        const double error =
            std::abs(f2 * f2 / (4 * f1 * f1) - f3 / (6 * f1)) * std::abs(step * step * step);
        if (error <= 1e-17 * next) {
          const double su = step / u, sv = step / v;
          return Root{next, ln_y - su - 0.5 * su * su, ln_v + sv - 0.5 * sv * sv};
        }
        eps = next;
      } else {
        eps = lo + 0.5 * (hi - lo);
      }
      if (hi - lo <= 4 * DBL_EPSILON * hi) break;
    }
    return Root{eps, std::log1p(-eps), std::log(a + eps)};
  }

  int teeth_;
  double gamma_, nu_;
  double k_ = 0, g_over_gm1_ = 0, phi0_star_ = 0, ln_q_base_ = 0;
  std::vector<Previous> last_;  // by throttle, 1..N
  std::vector<double> ln_p_, ln_t_;
};

}  // namespace

namespace methods_detail {

void CheckConditions(const SealCase& s) {
  Require(Positive(s.seal_diameter), "The seal diameter must be positive");
  Require(Positive(s.clearance), "The radial clearance must be positive");
  Require(Positive(s.pressure_up), "The upstream pressure must be positive");
  Require(std::isfinite(s.pressure_down) && s.pressure_down >= 0,
          "The downstream pressure must not be negative");
  Require(s.pressure_down <= s.pressure_up,
          "The downstream pressure is above the upstream pressure");
  Require(Positive(s.temperature_up), "The upstream temperature must be above 0 K");
  Require(std::isfinite(s.teeth) && s.teeth >= 1, "The number of teeth must be 1 or more");
  Require(Positive(s.molar_mass), "The gas has no molar mass");
}

void CheckTeethOfToothByTooth(const SealCase& s) {
  // The messages are written only for a failed check: the checks are on every case's path.
  if (s.teeth != std::floor(s.teeth)) {
    throw NotApplicable{"Tooth by tooth needs a whole number of teeth, not " +
                        ShortestGeneral(s.teeth)};
  }
  if (!(s.teeth <= kMaxToothByToothTeeth)) {
    throw NotApplicable{"Tooth by tooth takes at most " + std::to_string(kMaxToothByToothTeeth) +
                        " teeth"};
  }
}

VermesCoefficients Vermes(const SealCase& s) {
  Require(Positive(s.pitch), "The tooth spacing must be positive");
  Require(Positive(s.tooth_thickness), "The tooth thickness must be positive");
  VermesCoefficients v;
  const double sigma = s.tooth_thickness / s.clearance;
  if (!(sigma <= kVermesMaxToothRatio)) {
    // Four significant digits, or as many more as show the ratio above the limit.
    std::string shown;
    for (int digits = 4; std::isfinite(sigma) && digits <= 15; ++digits) {
      shown = ShortestGeneral(sigma, digits);
      if (std::stod(shown) > kVermesMaxToothRatio) break;
    }
    const std::string which = std::isfinite(sigma) ? "t/c = " + shown : "a t/c beyond every number";
    throw NotApplicable{"Vermes' discharge coefficient is used for t/c up to " +
                        ShortestGeneral(kVermesMaxToothRatio) + ", not for " + which +
                        ": the method does not apply"};
  }
  v.alpha = VermesDischargeCoefficient(sigma);
  if (s.kind == SealKind::kSeeThrough) {
    const double cavity = (s.pitch - s.tooth_thickness) / s.clearance;
    if (!(std::isfinite(cavity) && cavity + 7.23 > 8.52)) {
      throw NotApplicable{
          "The carry-over factor nu = 8.52 / ((s - t)/c + 7.23) is not below 1 for (s - t)/c = " +
          ShortestGeneral(cavity) + ": the method does not apply"};
    }
    v.nu = VermesCarryOver(s.kind, s.pitch, s.tooth_thickness, s.clearance);
  }
  return v;
}

}  // namespace methods_detail

double VermesDischargeCoefficient(double sigma) {
  const double s = sigma;
  return 0.67675 - 0.08519 * s + 0.0878 * s * s - 0.01819 * s * s * s + 0.00111 * s * s * s * s;
}

double VermesCarryOver(SealKind kind, double pitch, double tooth_thickness, double clearance) {
  if (kind == SealKind::kInterlocking) return 0;
  return CheckedDiv(8.52, (pitch - tooth_thickness) / clearance + 7.23, "carry-over factor");
}

double MartinFlowFunction(double r, double teeth) {
  const double arg = CheckedDiv(1 - r * r, teeth - std::log(r), "flow function");
  if (arg < 0) throw CalculationError("root of a negative number in flow function");
  return Checked(std::sqrt(arg), "flow function");
}

double ZimmermannWolffRatio(double teeth) {
  if (!(teeth > 0)) throw CalculationError("choke ratio of a seal without teeth");
  double r = Checked(1 / std::sqrt(1 + 2 * teeth), "choke ratio");
  for (int iteration = 0; iteration < 200; ++iteration) {
    const double next = Checked(1 / std::sqrt(1 + 2 * teeth - 2 * std::log(r)), "choke ratio");
    if (next == r) break;
    r = next;
  }
  return r;
}

MethodResult Martin(const SealCase& s) {
  return Guarded([&] {
    CheckConditions(s);
    MethodResult r = MartinTimes(s, 1.0);
    r.discharge_coefficient = 1;
    return r;
  });
}

MethodResult MartinVermes(const SealCase& s) {
  return Guarded([&] {
    CheckConditions(s);
    const VermesCoefficients v = Vermes(s);
    const double mu = 1 / std::sqrt(1 - v.nu);
    const double kappa = s.kind == SealKind::kSeeThrough ? kSeeThroughKappa : 1.0;
    MethodResult r = MartinTimes(s, kappa * v.alpha * mu);
    r.discharge_coefficient = v.alpha;
    r.carry_over = v.nu;
    return r;
  });
}

MethodResult ToothByTooth(const SealCase& s) { return ToothByTooth(s, FluxBracket{}); }

MethodResult ToothByTooth(const SealCase& s, const FluxBracket& start) {
  return Guarded([&] {
    CheckConditions(s);
    CheckTeethOfToothByTooth(s);
    Require(std::isfinite(s.gamma) && s.gamma > 1, "Gamma (cp/cv) must be above 1");
    const VermesCoefficients v = Vermes(s);
    ThrottleChain chain(s, v.alpha, v.nu);

    MethodResult r = ChainResult(s, v, SolveThrottleChain(chain, s, start));
    for (double v : chain.ln_p()) {
      r.cavity_pressures.push_back(Checked(s.pressure_up * std::exp(v), "cavity pressure"));
    }
    for (double v : chain.ln_t()) {
      r.cavity_temperatures.push_back(
          Checked(s.temperature_up * std::exp(v), "cavity temperature"));
    }
    r.status = MethodStatus::kOk;
    return r;
  });
}

}  // namespace torvane
