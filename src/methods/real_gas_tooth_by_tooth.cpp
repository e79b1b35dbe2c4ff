#include "methods/real_gas_tooth_by_tooth.h"

#include <cmath>

#include "methods/tooth_by_tooth_solver.h"
#include "platform/errors.h"
#include "thermo/isentrope.h"

namespace torvane {
namespace {

using namespace methods_detail;

// The chain on the isentrope. Stations keep u = ln(p / Pa); along the chain only the density
// and the enthalpy of the isentrope are needed, with their slopes by u (Lookup::At(u)).
template <class Lookup>
class RealGasChain {
 public:
  RealGasChain(const SealCase& s, double alpha, double nu, Lookup& lookup)
      : teeth_(static_cast<int>(s.teeth)),
        nu_(nu),
        alpha_c_(alpha * s.clearance),
        lookup_(&lookup),
        u1_(std::log(s.pressure_up)),
        inlet_(lookup.At(u1_)),
        last_(static_cast<size_t>(teeth_) + 1) {}

  int teeth() const { return teeth_; }

  double MaxFirstFlux() {
    const Choke c = ChokePoint(1, u1_, inlet_, 0);
    return Checked(alpha_c_ * std::sqrt(c.phi), "choked first throttle");
  }

  ChainEvaluation Run(double g, bool to_end, bool /*all_margins*/ = false, int critical = 0,
                      bool record = false) {
    ChainEvaluation ev;
    const double gc = g / alpha_c_;  // the flux per throat area, kg/(m2 s)
    const double gc2 = gc * gc;
    const double ln_gc = std::log(gc);
    double u_prev = u1_;
    IsentropeSample prev = inlet_;
    if (record) ln_p_.assign(1, 0.0);
    for (int i = 1; i <= teeth_; ++i) {
      // nu w_(i-1)^2, the jet carried over from the throttle before.
      const double a2 = i == 1 ? 0.0 : nu_ * gc2 / (prev.rho * prev.rho);
      const Choke c = ChokePoint(i, u_prev, prev, a2);
      // With the carried-over jet at the speed of sound already, the throttle passes at most
      // F(p_(i-1)) = sqrt(nu) G: never G.
      const double margin = c.sonic ? 0.5 * std::log(nu_) : 0.5 * std::log(c.phi) - ln_gc;
      if (!ev.Take(i, margin, critical)) return ev;
      if (i == teeth_ && !to_end) return ev;
      double u = c.u;
      IsentropeSample at = c.sample;
      if (i != critical) u = Root(i, u_prev, prev, a2, gc2, c, at);
      last_[static_cast<size_t>(i)].root = u;
      u_prev = u;
      prev = at;
      if (record) ln_p_.push_back(u - u1_);
    }
    ev.ln_p_end = u_prev - u1_;
    return ev;
  }

  void RecordAtRest() { ln_p_.assign(static_cast<size_t>(teeth_) + 1, 0.0); }
  // ln(p_i / P1) of stations 0..N of the last recorded run.
  const std::vector<double>& ln_p() const { return ln_p_; }

 private:
  struct Choke {
    bool sonic = false;  // the jet carried over is at the speed of sound already
    double u = 0;        // where F is largest
    IsentropeSample sample;
    double phi = 0;  // (F / (alpha c))^2 there
  };

  // What a throttle did in the run before: its choke point (and the station it started from)
  // and its root, where each search of this run starts.
  struct Previous {
    double u_start = 0;
    double choke = 0;
    double root = 0;
  };

  // D(u) = rho_u V^2 - rho h_u with V^2 = a2 + 2 (h_prev - h(u)): F^2 rises as u falls while D
  // is negative and is largest where D = 0, the throat velocity V equal to the speed of sound
  // sqrt(p / rho_u).
  Choke ChokePoint(int i, double u_prev, const IsentropeSample& prev, double a2) {
    Choke out;
    const auto d_of = [&](const IsentropeSample& s) {
      return s.rho_u * (a2 + 2 * (prev.h - s.h)) - s.rho * s.h_u;
    };
    const double d_prev = d_of(prev);
    if (!(d_prev < 0)) {
      out.sonic = true;
      return out;
    }
    Previous& before = last_[static_cast<size_t>(i)];
    double guess = 0, delta = 0;
    if (before.choke != 0) {
      guess = before.choke + (u_prev - before.u_start);
      delta = 1e-3;
    } else {
      // The perfect gas of the local isentropic exponent kappa = rho / rho_u, with
      // R T = p / rho = h_u.
      const double kappa = prev.rho / prev.rho_u;
      const double a = a2 * (kappa - 1) / (2 * kappa * prev.h_u);
      const double x = std::pow(2 / (kappa + 1) * (1 + a), kappa / (kappa - 1));
      guess = u_prev + std::log(std::min(x, 0.999));
      delta = 0.02;
    }
    if (!(guess < u_prev) || !std::isfinite(guess)) guess = u_prev - 0.5;
    const auto d_at = [&](double u) { return Checked(d_of(lookup_->At(u)), "choke point"); };
    // A bracket [lo, hi] with D(lo) >= 0 > D(hi), hi <= u_prev.
    double lo = guess, f_lo = d_at(lo);
    double hi = u_prev, f_hi = d_prev;
    if (f_lo >= 0) {
      const double up = lo + delta;
      if (up < u_prev) {
        const double f = d_at(up);
        if (f < 0) {
          hi = up;
          f_hi = f;
        } else {
          lo = up;
          f_lo = f;
        }
      }
    } else {
      hi = lo;
      f_hi = f_lo;
      for (int k = 0; f_lo < 0; ++k) {
        if (k > 60) throw CalculationError("no choke point of a throttle");
        lo = hi - delta;
        f_lo = d_at(lo);
        if (f_lo < 0) {
          hi = lo;
          f_hi = f_lo;
          delta *= 2;
        }
      }
    }
    out.u = FallingBoundary(d_at, lo, f_lo, hi, f_hi);
    out.sample = lookup_->At(out.u);
    out.phi = out.sample.rho * out.sample.rho * (a2 + 2 * (prev.h - out.sample.h));
    if (!(out.phi > 0)) throw CalculationError("choke point of a throttle");
    before.u_start = u_prev;
    before.choke = out.u;
    return out;
  }

  // The root of Phi(u) = rho^2 (a2 + 2 (h_prev - h)) - G^2/(alpha c)^2 between the choke point
  // (Phi >= 0) and u_prev (Phi = (nu - 1) G^2/(alpha c)^2 < 0): Newton with Phi_u = 2 rho D,
  // kept inside the bracket by bisection, from the root of the run before.
  double Root(int i, double u_prev, const IsentropeSample& prev, double a2, double gc2,
              const Choke& choke, IsentropeSample& at) {
    double lo = choke.u, hi = u_prev;
    const double before = last_[static_cast<size_t>(i)].root;
    double u = before;
    if (!(before > lo && before < hi)) {
      const double d_prev = prev.rho_u * a2 - prev.rho * prev.h_u;
      u = u_prev + (gc2 - prev.rho * prev.rho * a2) / (2 * prev.rho * d_prev);
      if (!(u > lo && u < hi)) u = 0.5 * (lo + hi);
    }
    for (int iteration = 0; iteration < 200; ++iteration) {
      at = lookup_->At(u);
      const double v2 = a2 + 2 * (prev.h - at.h);
      const double phi = at.rho * at.rho * v2 - gc2;
      if (phi == 0) return u;
      if (phi > 0) {
        lo = u;
      } else {
        hi = u;
      }
      const double slope = 2 * at.rho * (at.rho_u * v2 - at.rho * at.h_u);
      const double step = -phi / slope;
      // Newton has settled: the step is below round-off, or so small that the one after it
      // (of the order of its square) would be.
      if (std::fabs(step) <= 4 * DBL_EPSILON * std::fabs(u)) return u;
      double next = u + step;
      if (!(next > lo && next < hi)) next = lo + 0.5 * (hi - lo);
      if (std::fabs(step) < 1e-9 || hi - lo <= 4 * DBL_EPSILON * std::fabs(u)) {
        at = lookup_->At(next);
        return next;
      }
      u = next;
    }
    throw CalculationError("root of a throttle");
  }

  int teeth_;
  double nu_, alpha_c_;
  Lookup* lookup_;
  double u1_;
  IsentropeSample inlet_;
  std::vector<Previous> last_;  // by throttle, 1..N
  std::vector<double> ln_p_;
};

template <class Lookup>
RealGasToothByToothResult Solve(const SealCase& s, const VermesCoefficients& v,
                                const Isentrope& isentrope, Lookup& lookup) {
  RealGasChain<Lookup> chain(s, v.alpha, v.nu, lookup);
  RealGasToothByToothResult out;
  const ChainAnswer answer = SolveThrottleChain(chain, s, FluxBracket{});
  out.method = ChainResult(s, v, answer);
  MethodResult& r = out.method;
  // The stations exactly on the isentrope, each solved from the one before.
  IsentropePoint point = isentrope.inlet();
  for (size_t i = 0; i < chain.ln_p().size(); ++i) {
    const double p = Checked(s.pressure_up * std::exp(chain.ln_p()[i]), "cavity pressure");
    if (i > 0) point = isentrope.At(p, point);
    const GasProperties& q = point.properties;
    RealGasStation station;
    station.pressure = i == 0 ? s.pressure_up : p;
    station.temperature = i == 0 ? s.temperature_up : q.temperature;
    station.density = q.density;
    station.enthalpy = q.enthalpy_mass();
    station.drho_dp_t = q.drho_dp_t;
    station.speed_of_sound = q.speed_of_sound;
    station.jet_velocity =
        i == 0 ? 0 : CheckedDiv(answer.flux, v.alpha * s.clearance * q.density, "jet velocity");
    out.stations.push_back(station);
    r.cavity_pressures.push_back(station.pressure);
    r.cavity_temperatures.push_back(station.temperature);
  }
  r.status = MethodStatus::kOk;
  return out;
}

}  // namespace

RealGasToothByToothResult RealGasToothByTooth(const SealCase& s, const CaloricGas& gas,
                                              IsentropeLookup lookup) {
  RealGasToothByToothResult out;
  out.method = Guarded([&] {
    CheckConditions(s);
    CheckTeethOfToothByTooth(s);
    const VermesCoefficients v = Vermes(s);
    const GasProperties inlet = PropertiesAtSi(gas, s.pressure_up, s.temperature_up);
    Require(!inlet.temperature_raised, "The equation of state gives no Z below 200 deg R");
    Require(!inlet.ideal_fallback,
            "Z at the upstream state is not reliable: the equation of state falls back to the "
            "ideal gas there");
    const Isentrope isentrope(gas, inlet);
    if (lookup == IsentropeLookup::kExact) {
      ExactIsentrope exact(isentrope);
      out = Solve(s, v, isentrope, exact);
    } else {
      IsentropeTable table(isentrope);
      out = Solve(s, v, isentrope, table);
    }
    return out.method;
  });
  if (!out.method.ok()) out.stations.clear();
  return out;
}

}  // namespace torvane
