// What the two tooth-by-tooth variants, the ideal gas and the real gas, share with each other
// and with the one-shot methods: the checks of the inputs, Vermes' coefficients, the way a
// failure becomes a method's message, the bracketing root finder, and the search for the flux
// of a chain of throttles (the largest flux every throttle passes, then choked or the flux
// that gives the downstream pressure). Internal to the methods library.
#pragma once

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <exception>
#include <numbers>
#include <string>

#include "methods/leakage_methods.h"
#include "platform/errors.h"

namespace torvane::methods_detail {

// An input the method cannot work with; its text becomes the result's message.
struct NotApplicable {
  std::string message;
};

inline void Require(bool condition, const std::string& message) {
  if (!condition) throw NotApplicable{message};
}

inline bool Positive(double v) { return std::isfinite(v) && v > 0; }

// The checks every method makes of the inputs it uses.
void CheckConditions(const SealCase& s);

// The checks of tooth by tooth beyond those: a whole number of teeth, at most 1000.
void CheckTeethOfToothByTooth(const SealCase& s);

struct VermesCoefficients {
  double alpha = 0;
  double nu = 0;
};

VermesCoefficients Vermes(const SealCase& s);

// Runs a method; any failure becomes the result's status and message.
template <class Body>
MethodResult Guarded(const Body& body) {
  MethodResult failed;
  try {
    return body();
  } catch (const NotApplicable& n) {
    failed.message = n.message;
  } catch (const CalculationError& e) {
    failed.message = std::string("Calculation error: ") + e.what();
  } catch (const std::exception& e) {
    failed.message = e.what();
  }
  return failed;
}

// Finds where a falling function f changes sign between lo (f >= 0) and hi (f < 0): Brent's
// inverse quadratic and secant steps, safeguarded by bisection, until the bracket is a few units
// in the last place wide. Returns its end with f >= 0.
template <class F>
double FallingBoundary(const F& f, double lo, double f_lo, double hi, double f_hi) {
  double a = lo, fa = f_lo;
  double b = hi, fb = f_hi;
  double c = a, fc = fa;
  double d = b - a, e = d;
  for (int iteration = 0; iteration < 200; ++iteration) {
    if ((fb >= 0) == (fc >= 0)) {
      c = a;
      fc = fa;
      d = b - a;
      e = d;
    }
    if (std::abs(fc) < std::abs(fb)) {
      a = b;
      b = c;
      c = a;
      fa = fb;
      fb = fc;
      fc = fa;
    }
    const double tol = 2 * DBL_EPSILON * std::abs(b);
    const double m = 0.5 * (c - b);
    if (std::abs(m) <= tol || fb == 0) break;
    if (std::abs(e) >= tol && std::abs(fa) > std::abs(fb)) {
      double p, q;
      const double s = fb / fa;
      if (a == c) {
        p = 2 * m * s;
        q = 1 - s;
      } else {
        const double qa = fa / fc;
        const double r = fb / fc;
        p = s * (2 * m * qa * (qa - r) - (b - a) * (r - 1));
        q = (qa - 1) * (r - 1) * (s - 1);
      }
      if (p > 0) {
        q = -q;
      } else {
        p = -p;
      }
      if (2 * p < std::min(3 * m * q - std::abs(tol * q), std::abs(e * q))) {
        e = d;
        d = p / q;
      } else {
        d = m;
        e = m;
      }
    } else {
      d = m;
      e = m;
    }
    a = b;
    fa = fb;
    b += std::abs(d) > tol ? d : std::copysign(tol, m);
    fb = f(b);
  }
  return fb >= 0 ? b : c;
}

// A chain of throttles as the flux search sees it. Run(g, to_end, all_margins, critical, record)
// marches the flux g through the throttles and returns a ChainEvaluation; without to_end the
// last throttle is only checked; throttle `critical` is set at its choke point instead of its
// root; with record the chain keeps its stations. RecordAtRest() keeps the stations of a seal
// without flow. MaxFirstFlux() is the flux of the first throttle when it chokes; teeth() the
// number of throttles.
struct ChainEvaluation {
  bool passed = true;  // every throttle reached passes the flux
  // ln(F_i(x*_i) / G) of the throttle that cannot pass the flux, or else the smallest of the
  // throttles looked at (the last one always, every one with all_margins), and which throttle
  // it is.
  double margin = 0;
  int tightest = 0;
  double ln_p_end = 0;  // ln(p_N/P1), when every root was found

  // Takes in the margin of throttle i; false when the throttle cannot pass the flux. The
  // throttle set at its critical ratio passes by construction: a margin a round-off below 0
  // there is no failure.
  bool Take(int i, double throttle_margin, int critical) {
    if (tightest == 0 || throttle_margin < margin) {
      margin = throttle_margin;
      tightest = i;
    }
    if (!(throttle_margin >= 0) && i != critical) {
      passed = false;
      margin = throttle_margin;
      tightest = i;
      return false;
    }
    return true;
  }
};

struct ChainAnswer {
  double flux = 0;  // G, kg/(m s)
  bool choked = false;
  int choked_throttle = 0;    // 1..N, 0 when not choked
  double critical_ratio = 0;  // p_N/P1 at the largest flux every throttle passes
};

// A tooth-by-tooth result of the answer: Vermes' coefficients, the flux and leakage, the
// choking and the critical ratio; the stations and the status are the caller's to add.
inline MethodResult ChainResult(const SealCase& s, const VermesCoefficients& v,
                                const ChainAnswer& answer) {
  MethodResult r;
  r.discharge_coefficient = v.alpha;
  r.carry_over = v.nu;
  r.critical_ratio = answer.critical_ratio;
  r.choked = answer.choked;
  r.choked_throttle = answer.choked_throttle;
  r.flux = answer.flux;
  r.mass_flow =
      Checked(answer.flux * std::numbers::pi * (s.seal_diameter + s.clearance), "leakage");
  return r;
}

// The flux of the seal s through chain. The chain's last recorded run is the answer's.
template <class Chain>
ChainAnswer SolveThrottleChain(Chain& chain, const SealCase& s, const FluxBracket& start) {
  ChainAnswer answer;
  // 1. G_ch, the largest flux every throttle passes: the tightest throttle then sits at its
  // critical ratio.
  // Without a start, the bracket is first looked for 8 % either side of the choked flux
  // Martin's function gives relative to a single throttle's, and widened until it holds G_ch.
  const auto margin = [&](double g) { return Checked(chain.Run(g, false).margin, "margin"); };
  const double n = s.teeth;
  const double guess = chain.MaxFirstFlux() * MartinFlowFunction(ZimmermannWolffRatio(n), n) /
                       MartinFlowFunction(ZimmermannWolffRatio(1), 1);
  const double widen = start.high > 0 ? 2 : 1.25;
  double hi = start.high > 0 ? start.high : guess * 1.08;
  double f_hi = margin(hi);
  for (int k = 0; f_hi >= 0; ++k) {
    if (k > 200) throw CalculationError("no flux chokes the seal");
    hi *= widen;
    f_hi = margin(hi);
  }
  double lo = start.low > 0 && start.low < hi ? start.low : std::min(guess * 0.92, hi / widen);
  double f_lo = margin(lo);
  for (int k = 0; f_lo < 0; ++k) {
    if (k > 2000) throw CalculationError("no flux passes the seal");
    hi = lo;
    f_hi = f_lo;
    lo /= widen;
    f_lo = margin(lo);
  }
  const double g_ch = FallingBoundary(margin, lo, f_lo, hi, f_hi);
  const int critical = chain.Run(g_ch, false, true).tightest;
  const double ln_p_ch = chain.Run(g_ch, true, false, critical, true).ln_p_end;
  answer.critical_ratio = Checked(std::exp(ln_p_ch), "critical ratio");

  // 2. The flux itself: choked at G_ch when p_N(G_ch) lies above P2, else the root of
  // p_N(G) = P2 below G_ch.
  double g = g_ch;
  if (s.pressure_down == s.pressure_up) {
    g = 0;
    chain.RecordAtRest();
  } else if (s.pressure_down == 0 || ln_p_ch > std::log(s.pressure_down / s.pressure_up)) {
    answer.choked = true;
    answer.choked_throttle = critical;
  } else {
    const double ln_p2 = std::log(s.pressure_down / s.pressure_up);
    const auto excess = [&](double flux) {
      const ChainEvaluation e = chain.Run(flux, true);
      return Checked(e.passed ? e.ln_p_end - ln_p2 : e.margin, "downstream pressure");
    };
    double lo2 = 0, f_lo2 = -ln_p2;
    double hi2 = g_ch, f_hi2 = ln_p_ch - ln_p2;
    // Narrowed by the start, or else around the flux Martin's function gives relative to G_ch.
    double low = start.low, high = start.high;
    if (!(start.low > 0 || start.high > 0)) {
      const double r_star = ZimmermannWolffRatio(n);
      const double beta = s.pressure_down / s.pressure_up;
      const double shape =
          MartinFlowFunction(std::max(beta, r_star), n) / MartinFlowFunction(r_star, n);
      low = g_ch * shape * 0.97;
      high = g_ch * shape * 1.03;
    }
    if (low > 0 && low < g_ch) {
      const double f = excess(low);
      if (f >= 0) {
        lo2 = low;
        f_lo2 = f;
      }
    }
    if (high > lo2 && high < g_ch) {
      const double f = excess(high);
      if (f < 0) {
        hi2 = high;
        f_hi2 = f;
      }
    }
    if (f_hi2 < 0) g = FallingBoundary(excess, lo2, f_lo2, hi2, f_hi2);
    chain.Run(g, true, false, 0, true);
  }
  answer.flux = Checked(g, "flux");
  return answer;
}

}  // namespace torvane::methods_detail
