// The floor of tooth by tooth: the same arithmetic as the methods library's chain of throttles
// and its flux search, written out for the benchmark as plain inline loops over arrays on the
// stack, with every check the method makes (as a failed status, without its message) and
// nothing else: no strings, no exceptions, no allocation. It must give the program's answers
// bit for bit; the benchmark checks that on a grid of seals before it times it.
#pragma once

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <numbers>

#include "methods/leakage_methods.h"
#include "methods/tooth_by_tooth_solver.h"

namespace torvane::bench {

inline constexpr int kFloorMaxTeeth = 64;

struct ToothByToothFloorAnswer {
  bool ok = false;
  double mass_flow = 0;
  double flux = 0;
  double critical_ratio = 0;
  double alpha = 0;
  double nu = 0;
  bool choked = false;
  int choked_throttle = 0;
  int stations = 0;
  std::array<double, kFloorMaxTeeth + 1> pressures{};
  std::array<double, kFloorMaxTeeth + 1> temperatures{};
};

class ToothByToothFloor {
 public:
  // The answer for seal s; ok is false where the method does not apply or a step fails.
  static ToothByToothFloorAnswer Calculate(const SealCase& s) {
    ToothByToothFloorAnswer out;
    const auto positive = [](double v) { return std::isfinite(v) && v > 0; };
    if (!positive(s.seal_diameter) || !positive(s.clearance) || !positive(s.pressure_up) ||
        !(std::isfinite(s.pressure_down) && s.pressure_down >= 0) ||
        !(s.pressure_down <= s.pressure_up) || !positive(s.temperature_up) ||
        !(std::isfinite(s.teeth) && s.teeth >= 1) || !positive(s.molar_mass) ||
        s.teeth != std::floor(s.teeth) || s.teeth > kFloorMaxTeeth ||
        !(std::isfinite(s.gamma) && s.gamma > 1) || !positive(s.pitch) ||
        !positive(s.tooth_thickness)) {
      return out;
    }
    const double sigma = s.tooth_thickness / s.clearance;
    if (!(sigma <= kVermesMaxToothRatio)) return out;
    const double alpha = 0.67675 - 0.08519 * sigma + 0.0878 * sigma * sigma -
                         0.01819 * sigma * sigma * sigma + 0.00111 * sigma * sigma * sigma * sigma;
    double nu = 0;
    if (s.kind == SealKind::kSeeThrough) {
      const double cavity = (s.pitch - s.tooth_thickness) / s.clearance;
      if (!(std::isfinite(cavity) && cavity + 7.23 > 8.52)) return out;
      nu = 8.52 / ((s.pitch - s.tooth_thickness) / s.clearance + 7.23);
      if (!std::isfinite(nu)) return out;
    }
    out.alpha = alpha;
    out.nu = nu;
    Chain chain(s, alpha, nu);
    if (!chain.ok) return out;

    // The largest flux every throttle passes.
    bool failed = false;
    const auto margin = [&](double g) {
      const double m = chain.Run(g, false).margin;
      if (!std::isfinite(m)) failed = true;
      return failed ? 0.0 : m;
    };
    const double n = s.teeth;
    const double max_first = std::exp(0.5 * (chain.phi0_star + chain.ln_q_base));
    if (!std::isfinite(max_first)) return out;
    const double guess = max_first * MartinFlowFunction(ZimmermannWolffRatio(n), n) /
                         MartinFlowFunction(ZimmermannWolffRatio(1), 1);
    double hi = guess * 1.08;
    double f_hi = margin(hi);
    for (int k = 0; f_hi >= 0 && !failed; ++k) {
      if (k > 200) return out;
      hi *= 1.25;
      f_hi = margin(hi);
    }
    double lo = std::min(guess * 0.92, hi / 1.25);
    double f_lo = margin(lo);
    for (int k = 0; f_lo < 0 && !failed; ++k) {
      if (k > 2000) return out;
      hi = lo;
      f_hi = f_lo;
      lo /= 1.25;
      f_lo = margin(lo);
    }
    if (failed) return out;
    const double g_ch = methods_detail::FallingBoundary(margin, lo, f_lo, hi, f_hi);
    if (failed) return out;
    const int critical = chain.Run(g_ch, false, true).tightest;
    const double ln_p_ch = chain.Run(g_ch, true, false, critical, true).ln_p_end;
    out.critical_ratio = std::exp(ln_p_ch);
    if (!std::isfinite(out.critical_ratio)) return out;

    // The flux.
    double g = g_ch;
    if (s.pressure_down == s.pressure_up) {
      g = 0;
      chain.recorded = chain.teeth + 1;
      for (int i = 0; i <= chain.teeth; ++i) chain.ln_p[i] = chain.ln_t[i] = 0;
    } else if (s.pressure_down == 0 || ln_p_ch > std::log(s.pressure_down / s.pressure_up)) {
      out.choked = true;
      out.choked_throttle = critical;
    } else {
      const double ln_p2 = std::log(s.pressure_down / s.pressure_up);
      const auto excess = [&](double flux) {
        const Evaluation e = chain.Run(flux, true);
        const double f = e.passed ? e.ln_p_end - ln_p2 : e.margin;
        if (!std::isfinite(f)) failed = true;
        return failed ? 0.0 : f;
      };
      double lo2 = 0, f_lo2 = -ln_p2;
      double hi2 = g_ch, f_hi2 = ln_p_ch - ln_p2;
      const double r_star = ZimmermannWolffRatio(n);
      const double beta = s.pressure_down / s.pressure_up;
      const double shape =
          MartinFlowFunction(std::max(beta, r_star), n) / MartinFlowFunction(r_star, n);
      const double low = g_ch * shape * 0.97, high = g_ch * shape * 1.03;
      if (low > 0 && low < g_ch) {
        const double f = excess(low);
        if (f >= 0) lo2 = low, f_lo2 = f;
      }
      if (high > lo2 && high < g_ch) {
        const double f = excess(high);
        if (f < 0) hi2 = high, f_hi2 = f;
      }
      if (failed) return out;
      if (f_hi2 < 0) g = methods_detail::FallingBoundary(excess, lo2, f_lo2, hi2, f_hi2);
      if (failed) return out;
      chain.Run(g, true, false, 0, true);
    }
    if (!std::isfinite(g)) return out;
    out.flux = g;
    out.mass_flow = g * std::numbers::pi * (s.seal_diameter + s.clearance);
    if (!std::isfinite(out.mass_flow)) return out;
    out.stations = chain.recorded;
    for (int i = 0; i < chain.recorded; ++i) {
      out.pressures[static_cast<size_t>(i)] = s.pressure_up * std::exp(chain.ln_p[i]);
      out.temperatures[static_cast<size_t>(i)] = s.temperature_up * std::exp(chain.ln_t[i]);
      if (!std::isfinite(out.pressures[static_cast<size_t>(i)]) ||
          !std::isfinite(out.temperatures[static_cast<size_t>(i)])) {
        return out;
      }
    }
    out.ok = true;
    return out;
  }

 private:
  struct Evaluation {
    bool passed = true;
    double margin = 0;
    int tightest = 0;
    double ln_p_end = 0;
  };

  struct Chain {
    int teeth;
    double gamma, nu, k, g_over_gm1, phi0_star, ln_q_base;
    bool ok = true;
    double last_eps[kFloorMaxTeeth + 1] = {}, last_a[kFloorMaxTeeth + 1] = {},
                                     last_ln_q[kFloorMaxTeeth + 1] = {};
    double ln_p[kFloorMaxTeeth + 1] = {}, ln_t[kFloorMaxTeeth + 1] = {};
    int recorded = 0;

    Chain(const SealCase& s, double alpha, double nu_in)
        : teeth(static_cast<int>(s.teeth)), gamma(s.gamma), nu(nu_in) {
      const double r = 8314 / s.molar_mass;
      k = 2 / (gamma - 1);
      g_over_gm1 = gamma / (gamma - 1);
      const double eps0 = (gamma - 1) / (gamma + 1);
      phi0_star = k * std::log1p(-eps0) + std::log(eps0);
      const double rho1 = s.pressure_up / (r * s.temperature_up);
      ln_q_base = 2 * std::log(alpha * s.clearance * rho1) +
                  std::log(2 * gamma * r / (gamma - 1) * s.temperature_up);
      ok = std::isfinite(ln_q_base);
    }

    Evaluation Run(double g, bool to_end, bool all_margins = false, int critical = 0,
                   bool record = false) {
      Evaluation ev;
      double ln_q = 2 * std::log(g) - ln_q_base;
      double q = std::exp(ln_q);
      double lp = 0, lt = 0;
      if (record) recorded = 1, ln_p[0] = ln_t[0] = 0;
      for (int i = 1; i <= teeth; ++i) {
        const double a = i == 1 ? 0.0 : nu * q;
        const double eps_star = ((gamma - 1) - 2 * a) / (gamma + 1);
        if (all_margins || i == teeth || ln_q >= phi0_star) {
          const double margin =
              eps_star > 0 ? 0.5 * (k * std::log1p(-eps_star) + std::log(a + eps_star) - ln_q)
                           : 0.5 * std::log(nu);
          if (ev.tightest == 0 || margin < ev.margin) ev.margin = margin, ev.tightest = i;
          if (!(margin >= 0) && i != critical) {
            ev.passed = false;
            ev.margin = margin;
            ev.tightest = i;
            return ev;
          }
        }
        if (i == teeth && !to_end) return ev;
        double eps, ln_y, ln_v;
        if (i == critical) {
          eps = eps_star, ln_y = std::log1p(-eps_star), ln_v = std::log(a + eps_star);
        } else {
          Solve(a, q, ln_q, eps_star, i, eps, ln_y, ln_v);
        }
        last_eps[i] = eps, last_a[i] = a, last_ln_q[i] = ln_q;
        lt += ln_y;
        lp += ln_y * g_over_gm1;
        if (record) ln_p[recorded] = lp, ln_t[recorded] = lt, ++recorded;
        q = (a + eps) / (1 - eps);
        ln_q = ln_v - ln_y;
      }
      ev.ln_p_end = lp;
      return ev;
    }

    void Solve(double a, double q, double ln_q, double eps_star, int i, double& eps_out,
               double& ln_y_out, double& ln_v_out) const {
      double lo = 0, hi = eps_star;
      double eps = q - a;
      if (!(eps > 0)) {
        eps_out = 0, ln_y_out = 0, ln_v_out = std::log(a);
        return;
      }
      const double b_eps = last_eps[i], b_a = last_a[i], b_ln_q = last_ln_q[i];
      const double moved = b_eps + (ln_q - b_ln_q - (a - b_a) / (b_a + b_eps)) /
                                       (1 / (b_a + b_eps) - k / (1 - b_eps));
      if (b_eps > 0 && moved > 0 && moved < hi) {
        eps = moved;
      } else if (k * q < 1) {
        const double first_order = (q - a) / (1 - k * q);
        if (first_order < eps_star) eps = first_order;
      }
      if (!(eps < hi)) eps = 0.5 * hi;
      for (int iteration = 0; iteration < 200; ++iteration) {
        const double u = 1 - eps, v = a + eps;
        const double ln_y = std::log1p(-eps), ln_v = std::log(v);
        const double f = k * ln_y + ln_v - ln_q;
        if (f == 0) {
          eps_out = eps, ln_y_out = ln_y, ln_v_out = ln_v;
          return;
        }
        if (f < 0) {
          lo = eps;
        } else {
          hi = eps;
        }
        const double f1 = 1 / v - k / u;
        const double f2 = -k / (u * u) - 1 / (v * v);
        const double step = -2 * f * f1 / (2 * f1 * f1 - f * f2);
        const double next = eps + step;
        if (next > lo && next < hi) {
          const double f3 = 2 / (v * v * v) - 2 * k / (u * u * u);
          const double error =
              std::abs(f2 * f2 / (4 * f1 * f1) - f3 / (6 * f1)) * std::abs(step * step * step);
          if (error <= 1e-17 * next) {
            const double su = step / u, sv = step / v;
            eps_out = next, ln_y_out = ln_y - su - 0.5 * su * su,
            ln_v_out = ln_v + sv - 0.5 * sv * sv;
            return;
          }
          eps = next;
        } else {
          eps = lo + 0.5 * (hi - lo);
        }
        if (hi - lo <= 4 * DBL_EPSILON * hi) break;
      }
      eps_out = eps, ln_y_out = std::log1p(-eps), ln_v_out = std::log(a + eps);
    }
  };
};

}  // namespace torvane::bench
