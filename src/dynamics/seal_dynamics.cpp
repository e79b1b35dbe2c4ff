#include "dynamics/seal_dynamics.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <numbers>
#include <utility>

#include "dynamics/band_solver.h"
#include "platform/errors.h"
#include "units/number_format.h"

namespace torvane {
namespace {

using Complex = std::complex<double>;

constexpr double kUniversalGasConstant = 8314;  // J/(kmol K)
// Blasius' wall friction, the same on rotor and stator: tau = 1/2 rho V |V| n0 (|V| Dh / nu)^m0.
constexpr double kFrictionN0 = 0.079;
constexpr double kFrictionM0 = -0.25;
// Jenny and Kanki's momentum factors.
constexpr double kJennyKankiStator = 0.15;
constexpr double kJennyKankiRotor = 0.35;
constexpr double kJennyKankiInterlocking = 0.90;
// The largest componentwise backward error a solution of the perturbation system may have.
constexpr double kMaxBackwardError = 1e-8;

// A perturbation system without a reliable solution.
struct Singular {};

// |x|^0.75 = |x|^(1 + m0), without a call to pow.
inline double Power075(double x) {
  const double s = std::sqrt(std::abs(x));
  return s * std::sqrt(s);
}

// x |x|^0.75: the shear law's dependence on the wall-relative velocity.
inline double SignedPower175(double x) { return x * Power075(x); }

std::string Kelvin(double t) { return ShortestGeneral(t, 6) + " K"; }

}  // namespace

// The zeroth-order swirl of one cavity.
struct SealDynamics::Swirl {
  double v = 0;      // V_i
  double v_in = 0;   // V_in,i
  double v_out = 0;  // V_out,i (V_i without Jenny-Kanki)
  double kappa = 1;  // V_out,i / V_i
  double tau_rotor = 0;
  double tau_stator = 0;
};

const char* TeethOnKey(TeethOn teeth_on) {
  return teeth_on == TeethOn::kRotor ? "rotor" : "stator";
}

SealFlow IdealGasFlow(const MethodResult& r, double molar_mass) {
  SealFlow flow;
  flow.flux = r.flux;
  flow.choked_throttle = r.choked ? r.choked_throttle : 0;
  const double gas_constant = CheckedDiv(kUniversalGasConstant, molar_mass, "gas constant");
  for (size_t j = 0; j < r.cavity_pressures.size() && j < r.cavity_temperatures.size(); ++j) {
    StationState s;
    s.pressure = r.cavity_pressures[j];
    s.temperature = r.cavity_temperatures[j];
    const double rt = Checked(gas_constant * s.temperature, "cavity state");
    s.density = CheckedDiv(s.pressure, rt, "cavity density");
    s.storage = CheckedDiv(1, rt, "cavity storage");
    flow.stations.push_back(s);
  }
  return flow;
}

SealFlow RealGasFlow(const RealGasToothByToothResult& r) {
  SealFlow flow;
  if (!r.method.ok()) return flow;
  flow.flux = r.method.flux;
  flow.choked_throttle = r.method.choked ? r.method.choked_throttle : 0;
  for (const RealGasStation& station : r.stations) {
    StationState s;
    s.pressure = station.pressure;
    s.temperature = station.temperature;
    s.density = station.density;
    s.storage = station.drho_dp_t;
    flow.stations.push_back(s);
  }
  return flow;
}

SealDynamics RealGasSealDynamics(const DynamicsCase& c, const CaloricGas& gas) {
  RealGasToothByToothResult r = RealGasToothByTooth(c.seal, gas);
  SealFlow flow = RealGasFlow(r);
  return SealDynamics(c, std::move(r.method), std::move(flow));
}

CavityGeometry CavityGeometryOf(const DynamicsCase& c) {
  CavityGeometry g;
  const double b = c.tooth_height;
  const double l = c.seal.pitch;
  g.radius = c.seal.seal_diameter / 2;
  g.height = c.seal.clearance + b;
  g.area = g.height * l;
  g.hydraulic_diameter = 2 * g.height * l / (g.height + l);
  double factor = kJennyKankiInterlocking;
  if (c.seal.kind == SealKind::kInterlocking) {
    g.wet_rotor = g.wet_stator = (b + l) / l;
  } else if (c.teeth_on == TeethOn::kRotor) {
    g.wet_rotor = (2 * b + l) / l;
    g.wet_stator = 1;
    factor = kJennyKankiRotor;
  } else {
    g.wet_rotor = 1;
    g.wet_stator = (2 * b + l) / l;
    factor = kJennyKankiStator;
  }
  g.momentum_factor = c.jenny_kanki ? factor : 1;
  return g;
}

SealDynamics::SealDynamics(const DynamicsCase& c) : case_(c) {
  leakage_ = ToothByTooth(c.seal);
  if (leakage_.ok()) {
    try {
      flow_ = IdealGasFlow(leakage_, c.seal.molar_mass);
    } catch (const CalculationError& e) {
      Fail(DynamicsStatus::kCalculationError, std::string("Calculation error: ") + e.what());
    }
  }
  Prepare();
}

SealDynamics::SealDynamics(const DynamicsCase& c, MethodResult leakage, SealFlow flow)
    : case_(c), leakage_(std::move(leakage)), flow_(std::move(flow)) {
  Prepare();
}

void SealDynamics::Fail(DynamicsStatus status, std::string message) {
  if (status_ != DynamicsStatus::kOk) return;  // the first failure is the one reported
  status_ = status;
  message_ = std::move(message);
  cavities_.clear();
}

void SealDynamics::Prepare() {
  const DynamicsCase& c = case_;
  const double n = c.seal.teeth;
  if (!(std::isfinite(n) && n >= 2 && n == std::floor(n))) {
    Fail(DynamicsStatus::kInvalidInput,
         "The rotordynamic coefficients need a whole number of teeth, 2 or more, not " +
             ShortestGeneral(n));
  }
  if (!(std::isfinite(c.tooth_height) && c.tooth_height > 0)) {
    Fail(DynamicsStatus::kInvalidInput, "The tooth height must be positive");
  }
  if (!std::isfinite(c.preswirl)) {
    Fail(DynamicsStatus::kInvalidInput, "The preswirl ratio must be a finite number");
  }
  if (!std::isfinite(c.whirl_ratio)) {
    Fail(DynamicsStatus::kInvalidInput, "The whirl ratio must be a finite number");
  }
  if (!leakage_.ok()) Fail(DynamicsStatus::kNoLeakage, leakage_.message);
  if (const auto problem = ViscosityLawProblem(c.viscosity)) {
    Fail(DynamicsStatus::kNoViscosity, *problem);
  }
  if (status_ != DynamicsStatus::kOk) return;

  try {
    geometry_ = CavityGeometryOf(c);
    const CavityGeometry& g = geometry_;
    Checked(g.hydraulic_diameter * g.area * g.wet_rotor * g.wet_stator, "cavity geometry");
    const int teeth = static_cast<int>(n);
    if (flow_.stations.size() != static_cast<size_t>(teeth) + 1) {
      throw CalculationError("cavity states");
    }
    const double flux = flow_.flux;
    if (!(flux > 0)) {
      Fail(DynamicsStatus::kNoLeakage,
           "The seal passes no leakage: the coefficients need a flow through it");
      return;
    }
    // dG_j/dp_(j-1) and dG_j/dp_j of every tooth (Neumann's form, G proportional to
    // c (p_(j-1)^2 - p_j^2)^0.5); a choked tooth passes G(p_(j-1)) whatever lies downstream.
    std::vector<double> up(static_cast<size_t>(teeth) + 1), down(up.size());
    for (int j = 1; j <= teeth; ++j) {
      const double p0 = flow_.stations[static_cast<size_t>(j) - 1].pressure;
      const double p1 = flow_.stations[static_cast<size_t>(j)].pressure;
      if (j == flow_.choked_throttle) {
        up[static_cast<size_t>(j)] = CheckedDiv(flux, p0, "choked tooth");
        down[static_cast<size_t>(j)] = 0;
      } else {
        const double d = (p0 - p1) * (p0 + p1);
        if (!(d > 0)) throw CalculationError("pressure drop across a tooth");
        up[static_cast<size_t>(j)] = CheckedDiv(flux * p0, d, "tooth flux");
        down[static_cast<size_t>(j)] = -CheckedDiv(flux * p1, d, "tooth flux");
      }
    }
    cavities_.reserve(static_cast<size_t>(teeth) - 1);
    for (int i = 1; i < teeth; ++i) {
      Cavity cav;
      cav.state = flow_.stations[static_cast<size_t>(i)];
      const StationState& s = cav.state;
      const auto mu = LawViscosity(c.viscosity, s.temperature, s.density);
      if (!mu) {
        const std::string where =
            Kelvin(s.temperature) + ", the temperature of cavity " + std::to_string(i);
        Fail(
            DynamicsStatus::kNoViscosity,
            c.viscosity.kind == ViscosityLawKind::kSutherland
                ? "Sutherland's law through the two reference states gives no viscosity at " + where
                : "The gas gives no viscosity at " + where);
        return;
      }
      cav.viscosity = *mu;
      const double kinematic = CheckedDiv(cav.viscosity, s.density, "kinematic viscosity");
      cav.shear_constant = Checked(
          0.5 * s.density * kFrictionN0 * std::pow(kinematic / g.hydraulic_diameter, -kFrictionM0),
          "wall shear");
      const size_t k = static_cast<size_t>(i);
      cav.c3 = Checked(up[k + 1] - down[k], "continuity");
      cav.c4 = down[k + 1];
      cav.c7 = -up[k];
      cav.inflow_up = up[k];
      cav.inflow_down = down[k];
      cavities_.push_back(cav);
    }
  } catch (const CalculationError& e) {
    Fail(DynamicsStatus::kCalculationError, std::string("Calculation error: ") + e.what());
  }
}

// Circumferential momentum of each cavity from the inlet:
// G (V_i - V_in,i) = L (a_r tau(U - V_i) - a_s tau(V_i)). The left side rises with V_i and the
// right side falls, so the root is unique; it lies between the least and the greatest of V_in,i,
// 0 and U, where the two sides change order. Newton's steps, bisection where a step would leave
// the bracket, to round-off.
void SealDynamics::March(double surface, std::span<const double> given,
                         std::vector<Swirl>& swirl) const {
  const CavityGeometry& g = geometry_;
  const double flux = flow_.flux;
  const double pitch = case_.seal.pitch;
  const double mu_jk = g.momentum_factor;
  swirl.resize(cavities_.size());
  double v_before = case_.preswirl * surface;
  for (size_t q = 0; q < cavities_.size(); ++q) {
    const double k = cavities_[q].shear_constant;
    const double wall = pitch * k;
    Swirl& s = swirl[q];
    s.v_in = v_before;

    if (!given.empty()) {
      Complete(given[q], k, surface, s);
      v_before = mu_jk == 1 ? s.v : s.v_out;
      continue;
    }
    double lo = std::min({s.v_in, 0.0, surface});
    double hi = std::max({s.v_in, 0.0, surface});
    double v = std::clamp(q == 0 ? s.v_in : swirl[q - 1].v, lo, hi);
    const double tolerance = 4 * DBL_EPSILON * std::max(std::abs(lo), std::abs(hi));
    for (int iteration = 0; iteration < 200 && hi - lo > tolerance; ++iteration) {
      const double rotor = g.wet_rotor * Power075(surface - v);
      const double stator = g.wet_stator * Power075(v);
      const double fv = flux * (v - s.v_in) - wall * (rotor * (surface - v) - stator * v);
      if (fv == 0) break;
      if (fv < 0) {
        lo = v;
      } else {
        hi = v;
      }
      const double slope = flux + 1.75 * wall * (rotor + stator);
      const double next = v - fv / slope;
      if (std::abs(next - v) <= tolerance) {
        v = std::clamp(next, lo, hi);
        break;
      }
      v = next > lo && next < hi ? next : lo + 0.5 * (hi - lo);
    }
    Complete(v, k, surface, s);
    v_before = mu_jk == 1 ? v : s.v_out;
  }
}

void SealDynamics::Complete(double v, double shear_constant, double surface, Swirl& s) const {
  const double mu_jk = geometry_.momentum_factor;
  s.v = v;
  s.v_out = (1 - mu_jk) * s.v_in + mu_jk * v;
  if (mu_jk == 1) {
    s.kappa = 1;
  } else if (v != 0) {
    s.kappa = s.v_out / v;
  } else {
    // No swirl at all (a rotor at rest): the ratio is taken as without the option.
    s.kappa = s.v_out == 0 ? 1 : HUGE_VAL;
  }
  s.tau_rotor = shear_constant * SignedPower175(surface - v);
  s.tau_stator = shear_constant * SignedPower175(v);
}

CavityTerms SealDynamics::Terms(const Swirl& s, const Swirl* before, const Cavity& c,
                                double surface) const {
  const CavityGeometry& g = geometry_;
  const double flux = flow_.flux;
  const double pitch = case_.seal.pitch;
  const double mu_jk = g.momentum_factor;
  const double m0 = kFrictionM0;
  CavityTerms t;
  t.c3 = c.c3;
  t.c4 = c.c4;
  t.c7 = c.c7;
  // d tau / dV = (2 + m0) tau / V, written so that it stays finite at V = 0 and V = U.
  const double shear_slope = (2 + m0) * pitch * c.shear_constant *
                             (g.wet_stator * Power075(s.v) + g.wet_rotor * Power075(surface - s.v));
  t.x3 = flux * s.kappa + shear_slope;
  t.x4 = before ? -flux * before->kappa : 0;
  const double delta = s.v - s.v_in;
  t.x6 = mu_jk * delta * c.inflow_down +
         pitch * (g.wet_stator * s.tau_stator - g.wet_rotor * s.tau_rotor) / c.state.pressure;
  t.x8 = mu_jk * delta * c.inflow_up;
  t.x7 = flux / case_.seal.clearance * mu_jk * (s.v_in - s.v) +
         m0 * pitch * g.hydraulic_diameter / (2 * g.height * g.height) *
             (g.wet_rotor * s.tau_rotor - g.wet_stator * s.tau_stator);
  return t;
}

std::optional<CavityTerms> SealDynamics::TermsAt(double rpm, int cavity) const {
  if (status_ != DynamicsStatus::kOk || cavity < 1 || cavity > cavity_count()) {
    return std::nullopt;
  }
  const double surface = geometry_.radius * rpm * std::numbers::pi / 30;
  std::vector<Swirl> swirl;
  March(surface, {}, swirl);
  const size_t q = static_cast<size_t>(cavity) - 1;
  return Terms(swirl[q], q > 0 ? &swirl[q - 1] : nullptr, cavities_[q], surface);
}

SpeedDynamics SealDynamics::AtSpeed(double rpm) const { return AtSpeed(rpm, {}); }

SpeedDynamics SealDynamics::AtSpeed(double rpm, std::span<const double> swirl) const {
  SpeedDynamics r;
  r.speed = std::isfinite(rpm) ? rpm : 0;  // a speed that is no number is not echoed
  if (status_ != DynamicsStatus::kOk) {
    r.status = status_;
    r.message = message_;
    return r;
  }
  if (!(std::isfinite(rpm) && rpm >= 0)) {
    r.status = DynamicsStatus::kInvalidInput;
    r.message = "The rotor speed must be a finite number of 0 rpm or more";
    return r;
  }
  if (!swirl.empty()) {
    const bool finite =
        std::all_of(swirl.begin(), swirl.end(), [](double v) { return std::isfinite(v); });
    if (swirl.size() != cavities_.size() || !finite) {
      r.status = DynamicsStatus::kInvalidInput;
      r.message = "The swirl needs a finite velocity for each of the " +
                  std::to_string(cavities_.size()) + " cavities";
      return r;
    }
  }
  try {
    return Work(rpm, swirl);
  } catch (const CalculationError& e) {
    r.status = DynamicsStatus::kCalculationError;
    r.message = std::string("Calculation error: ") + e.what();
  }
  return r;
}

SpeedDynamics SealDynamics::Work(double rpm, std::span<const double> given) const {
  const CavityGeometry& g = geometry_;
  const DynamicsCase& dc = case_;
  SpeedDynamics r;
  r.speed = rpm;
  r.whirl_frequency = Checked(dc.whirl_ratio * rpm, "whirl frequency");
  const double spin = rpm * std::numbers::pi / 30;  // rad/s
  const double omega = Checked(dc.whirl_ratio * spin, "whirl frequency");
  const double surface = Checked(g.radius * spin, "rotor surface speed");
  r.surface_speed = surface;

  std::vector<Swirl> swirl;
  March(surface, given, swirl);
  const size_t count = cavities_.size();
  std::vector<CavityTerms> terms(count);
  for (size_t q = 0; q < count; ++q) {
    terms[q] = Terms(swirl[q], q > 0 ? &swirl[q - 1] : nullptr, cavities_[q], surface);
    const CavityTerms& t = terms[q];
    Checked(swirl[q].v + swirl[q].tau_rotor + swirl[q].tau_stator, "swirl");
    if (!std::isfinite(swirl[q].kappa)) {
      throw CalculationError("a cavity without swirl passes swirl on (Jenny-Kanki)");
    }
    Checked(t.x3 + t.x4 + t.x6 + t.x7 + t.x8, "momentum terms");
  }

  const int n = static_cast<int>(2 * count);
  const double radius = g.radius;
  const double area = g.area;
  const double pitch = dc.seal.pitch;
  const Complex i1(0, 1);
  BandSolver solver(n, 3, 2);
  // The system for a whirl frequency lambda: rows 2q (continuity) and 2q + 1 (momentum) of
  // cavity q + 1, unknowns P^ (column 2q) and V^ (column 2q + 1).
  const auto fill = [&](double lambda, std::vector<Complex>& rhs) {
    solver.Clear();
    rhs.assign(static_cast<size_t>(n), Complex());
    for (size_t q = 0; q < count; ++q) {
      const int row = static_cast<int>(2 * q);
      const Cavity& c = cavities_[q];
      const CavityTerms& t = terms[q];
      const double rho = c.state.density;
      const Complex s(0, lambda - swirl[q].v / radius);
      solver.At(row, row) = t.c3 + area * c.state.storage * s;
      solver.At(row, row + 1) = Complex(0, -rho * area / radius);
      solver.At(row + 1, row) = Complex(t.x6, -area / radius);
      solver.At(row + 1, row + 1) = t.x3 + rho * area * s;
      if (q > 0) {
        solver.At(row, row - 2) = t.c7;
        solver.At(row + 1, row - 2) = t.x8;
        solver.At(row + 1, row - 1) = t.x4;
      }
      if (q + 1 < count) solver.At(row, row + 2) = t.c4;
      rhs[static_cast<size_t>(row)] = rho * pitch * s;
      rhs[static_cast<size_t>(row) + 1] = -t.x7;
    }
  };
  const auto solve = [&](std::vector<Complex>& x) {
    const std::vector<Complex> b = x;
    solver.Solve(x);
    if (solver.BackwardError(x, b) > kMaxBackwardError) throw Singular{};
  };
  const double force_factor = std::numbers::pi * radius * pitch;
  const auto force = [&](const std::vector<Complex>& x) {
    Complex sum;
    for (size_t q = 0; q < count; ++q) sum += x[2 * q];
    return force_factor * sum;
  };

  RotordynamicCoefficients& k = r.coefficients;
  double direct_k = 0, cross_k = 0, direct_c = 0, cross_c = 0;
  try {
    std::vector<Complex> x;
    if (omega != 0) {
      fill(omega, x);
      if (!solver.Factor()) throw Singular{};
      solve(x);
      r.forward_impedance = force(x);
      fill(-omega, x);
      if (!solver.Factor()) throw Singular{};
      solve(x);
      r.backward_impedance = force(x);
      const Complex sum = r.forward_impedance + r.backward_impedance;
      const Complex difference = r.forward_impedance - r.backward_impedance;
      direct_k = sum.real() / 2;
      cross_k = -sum.imag() / 2;
      direct_c = difference.imag() / (2 * omega);
      cross_c = difference.real() / (2 * omega);
    } else {
      // At a whirl frequency of 0: H(0) = K - i k, and C - i c = dH/d(i lambda) at 0. The system
      // is M0 + lambda M1 with right side b0 + lambda b1, so dx/dlambda solves
      // M0 x' = b1 - M1 x0 with the same factors.
      fill(0, x);
      if (!solver.Factor()) throw Singular{};
      solve(x);
      const Complex h0 = force(x);
      std::vector<Complex> slope(static_cast<size_t>(n));
      for (size_t q = 0; q < count; ++q) {
        const Cavity& c = cavities_[q];
        const double rho = c.state.density;
        slope[2 * q] = i1 * (rho * pitch - area * c.state.storage * x[2 * q]);
        slope[2 * q + 1] = -i1 * (rho * area * x[2 * q + 1]);
      }
      solve(slope);
      const Complex h1 = force(slope);
      r.forward_impedance = r.backward_impedance = h0;
      direct_k = h0.real();
      cross_k = -h0.imag();
      direct_c = h1.imag();
      cross_c = h1.real();
      if (rpm == 0) {  // no swirl and no forcing at rest
        r.forward_impedance = r.backward_impedance = 0;
        direct_k = cross_k = cross_c = 0;
      }
    }
  } catch (const Singular&) {
    r.status = DynamicsStatus::kSingular;
    r.message = "The perturbation equations have no reliable solution at " + ShortestGeneral(rpm) +
                " rpm: no coefficients";
    return r;
  }
  k.kxx = k.kyy = Checked(direct_k, "stiffness");
  k.kxy = Checked(cross_k, "cross-coupled stiffness");
  k.kyx = 0.0 - k.kxy;  // +0, never -0, at rest
  k.cxx = k.cyy = Checked(direct_c, "damping");
  k.cxy = Checked(cross_c, "cross-coupled damping");
  k.cyx = 0.0 - k.cxy;
  Checked(std::abs(r.forward_impedance) + std::abs(r.backward_impedance), "impedance");

  r.effective_stiffness = r.forward_impedance.real();
  if (omega != 0) {
    r.effective_damping = Checked(r.forward_impedance.imag() / omega, "effective damping");
    if (k.cxx != 0) {
      r.whirl_frequency_ratio = Checked(k.kxy / (k.cxx * omega), "whirl frequency ratio");
    }
  }

  r.cavities.reserve(count);
  for (size_t q = 0; q < count; ++q) {
    const Cavity& c = cavities_[q];
    CavityDynamics cd;
    cd.pressure = c.state.pressure;
    cd.temperature = c.state.temperature;
    cd.density = c.state.density;
    cd.viscosity = c.viscosity;
    cd.swirl = swirl[q].v;
    cd.swirl_in = swirl[q].v_in;
    cd.shear_rotor = swirl[q].tau_rotor;
    cd.shear_stator = swirl[q].tau_stator;
    r.cavities.push_back(cd);
  }
  r.status = DynamicsStatus::kOk;
  return r;
}

}  // namespace torvane
